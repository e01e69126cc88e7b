// Class definitions and With blocks.
#include "vbscript/Parser.h"
#include "vbscript/ScriptError.h"

namespace vbs {

void Parser::classDefinition(Program &prog)
{
    auto cls = std::make_shared<ClassDecl>();
    cls->line = peek().line;
    cls->name = expectName();
    endOfStatement();
    for (;;) {
        skipSeparators();
        if (peek().kind == Tok::End)
            fail(Err::ExpectedEnd);
        if (acceptKeyword("end"))
            break;
        classMember(*cls);
        endOfStatement();
    }
    expectKeyword("class", Err::Syntax);
    prog.classes.push_back(std::move(cls));
}

void Parser::classMember(ClassDecl &cls)
{
    bool isPublic = true;
    bool isDefault = false;
    bool visibility = false;
    if (acceptKeyword("public")) {
        visibility = true;
        isDefault = acceptKeyword("default");
    } else if (acceptKeyword("private")) {
        visibility = true;
        isPublic = false;
    }
    ProcKind kind;
    if (acceptKeyword("sub")) {
        kind = ProcKind::Sub;
    } else if (acceptKeyword("function")) {
        kind = ProcKind::Function;
    } else if (acceptKeyword("property")) {
        if (acceptKeyword("get"))
            kind = ProcKind::PropertyGet;
        else if (acceptKeyword("let"))
            kind = ProcKind::PropertyLet;
        else if (acceptKeyword("set"))
            kind = ProcKind::PropertySet;
        else
            fail(Err::Syntax);
    } else {
        // A field list: Public a, b(3) / Private c / Dim d
        if (isDefault || (!visibility && !acceptKeyword("dim")))
            fail(Err::Syntax);
        const size_t first = cls.fields.size();
        declaration(cls.fields, false);
        for (size_t i = first; i < cls.fields.size(); ++i)
            cls.fields[i].isPublic = isPublic;
        return;
    }
    auto proc = procedureDefinition(kind);
    proc->isPublic = isPublic;
    proc->isDefault = isDefault;
    cls.methods.push_back(std::move(proc));
}

StmtPtr Parser::withStatement(int line)
{
    auto s = std::make_unique<WithStmt>(line);
    s->object = expression();
    endOfStatement();
    // A name no script can write, so it never meets a script's own variables.
    const QString var = QStringLiteral("\x01with%1").arg(++m_withCount);
    s->var = std::make_unique<NameExpr>(line, var);
    m_withVars.push_back(var);
    s->body = block({"end"});
    m_withVars.pop_back();
    expectKeyword("end", Err::ExpectedEnd);
    expectKeyword("with", Err::Syntax);
    return s;
}

ExprPtr Parser::withMember()
{
    const int line = peek().line;
    expect(Tok::Dot);
    if (peek().kind != Tok::Name)
        fail(Err::ExpectedIdentifier);
    // Outside With the hidden name stands for no object: the line fails only when it runs.
    auto object = std::make_unique<NameExpr>(line, m_withVars.empty() ? QString(QLatin1String(kNoWithName))
                                                                      : m_withVars.back());
    return postfix(sealed(std::make_unique<MemberExpr>(line, std::move(object), next().text)));
}

} // namespace vbs
