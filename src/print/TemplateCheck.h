#pragma once
// The template check: what on a slip template would print wrong, found before any paper is
// used. The designer's "检查模板", the main window and `vornprn-cli template check` all list
// these findings.
//
// A finding names the element it is about by its key; a finding about the template's own
// settings (the stake offsets, stakes that overlap, numbers missing from a fill area) has the
// key "-". A finding about two elements (a duplicate, an overlap) is listed under each of them.
#include <QString>
#include <vector>

class colPLControls;

struct TemplateFinding {
    QString key;    // the element's KeyName, or "-"
    QString reason; // one line in Chinese: what is wrong, with the element's area, number, place
    bool operator==(const TemplateFinding &) const = default;
};

// The key of a finding about the template's settings.
inline QString TemplatePropertiesKey() { return QStringLiteral("-"); }

// Blocks that share more than this in both directions overlap, mm.
constexpr double OverlapToleranceMm = 0.05;
// Blocks smaller than this either way cannot be filled, mm.
constexpr double SmallestBlockMm = 0.5;
// Sizes and edges compare to this, mm.
constexpr double SizeToleranceMm = 0.01;

// Every finding: those of the template's settings first, then the elements' in the order of
// the elements (findings of one element in the order they were found).
std::vector<TemplateFinding> CheckTemplate(const colPLControls &layout);

// "模板有 {1} 处问题" and the like need the count; the first finding's text for a question.
QString FirstFindingText(const std::vector<TemplateFinding> &findings);
