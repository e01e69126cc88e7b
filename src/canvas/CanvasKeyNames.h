#pragma once
// New keys for elements placed on the canvas: "lbl" or "Line" followed by one more than the
// largest number found in any key on the canvas, read after as many characters as the prefix
// has. Keys of both kinds count, so a label lbl12 makes the next line at least Line3.
//
// The counter keeps the numbers of the keys on the canvas, so adding and removing are
// logarithmic and a new key needs no scan.
#include <QString>
#include <map>

class CanvasKeyNames {
public:
    void Add(const QString &keyName);
    void Remove(const QString &keyName);
    void Clear();
    QString Next(bool line) const;

private:
    static void drop(std::map<qint64, int> &counts, qint64 n);
    static qint64 largest(const std::map<qint64, int> &counts);
    // Tails after three characters ("lbl") and after four ("Line").
    std::map<qint64, int> m_after3;
    std::map<qint64, int> m_after4;
};
