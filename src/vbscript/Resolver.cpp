#include "vbscript/Resolver.h"

#include "vbscript/Builtins.h"

namespace vbs {

namespace {

bool isHiddenName(const QString &key) { return key.startsWith(QChar(1)); }

class Resolver {
public:
    Resolver(Program &p, const QHash<QString, int> &h)
        : prog(p), hostObjects(h), explicitNames(p.optionExplicit)
    {
    }

    // Makes the procedures and classes from index `firstProc`/`firstClass` on known by name.
    void registerDefinitions(size_t firstProc, size_t firstClass)
    {
        for (size_t i = firstProc; i < prog.procedures.size(); ++i)
            prog.procNames.insert(prog.procedures[i]->name.toLower(), int(i));
        for (size_t i = firstClass; i < prog.classes.size(); ++i) {
            prog.classNames.insert(prog.classes[i]->name.toLower(), int(i));
            classMembers(*prog.classes[i]);
        }
    }

    // Resolves their bodies; after the script-level code, whose implicit variables they share.
    void resolveDefinitions(size_t firstProc, size_t firstClass)
    {
        for (size_t i = firstProc; i < prog.procedures.size(); ++i)
            procedure(*prog.procedures[i], nullptr);
        for (size_t i = firstClass; i < prog.classes.size(); ++i)
            for (auto &m : prog.classes[i]->methods)
                procedure(*m, prog.classes[i].get());
    }

    // Statements and declarations of a scope that already exists (script level, or a frame).
    void scopeBody(std::vector<Declaration> &decls, Block &body, const RunningScope &scope)
    {
        enter(scope);
        declare(decls);
        for (auto &d : decls)
            if (d.value)
                expr(d.value.get());
        block(body);
    }

    void expression(Expr &e, const RunningScope &scope)
    {
        enter(scope);
        expr(&e);
    }

private:
    void enter(const RunningScope &scope)
    {
        proc = scope.proc;
        cls = scope.cls;
        locals = scope.locals;
        localCount = scope.localCount;
    }

    // Fields first, then Sub/Function/Property of each name.
    void classMembers(ClassDecl &c)
    {
        auto member = [&](const QString &name) -> ClassDecl::Member & {
            const QString key = name.toLower();
            auto it = c.memberIndex.find(key);
            if (it == c.memberIndex.end()) {
                it = c.memberIndex.insert(key, int(c.members.size()));
                c.members.push_back({name, true, -1, -1, -1, -1});
            }
            return c.members[size_t(*it)];
        };
        for (int i = 0; i < int(c.fields.size()); ++i) {
            ClassDecl::Member &m = member(c.fields[size_t(i)].name);
            m.field = i;
            m.isPublic = c.fields[size_t(i)].isPublic;
            c.fields[size_t(i)].slot = i;
        }
        for (int i = 0; i < int(c.methods.size()); ++i) {
            const Procedure &p = *c.methods[size_t(i)];
            const QString key = p.name.toLower();
            if (key == QLatin1String("class_initialize"))
                c.initialize = i;
            else if (key == QLatin1String("class_terminate"))
                c.terminate = i;
            ClassDecl::Member &m = member(p.name);
            (p.kind == ProcKind::PropertyLet   ? m.let
             : p.kind == ProcKind::PropertySet ? m.set
                                               : m.get) = i;
            m.isPublic = p.isPublic;
            if (p.isDefault)
                c.defaultMember = c.memberIndex.value(key);
        }
    }

    // Gives each declaration a slot in the current scope.
    void declare(std::vector<Declaration> &decls)
    {
        for (auto &d : decls) {
            const QString key = d.name.toLower();
            QHash<QString, NameRef> &scope = locals ? *locals : prog.globalNames;
            auto it = scope.find(key);
            if (it == scope.end()) {
                NameRef ref;
                ref.kind = locals ? NameRef::Local : NameRef::Global;
                ref.index = locals ? (*localCount)++ : prog.globalCount++;
                it = scope.insert(key, ref);
            }
            it->readOnly = d.kind == Declaration::Const;
            d.slot = it->index;
        }
    }

    void procedure(Procedure &p, ClassDecl *owner)
    {
        int count = 0;
        RunningScope scope{&p, owner, &p.localNames, &count};
        enter(scope);
        p.localNames.clear();
        for (const auto &param : p.params) {
            NameRef ref;
            ref.kind = NameRef::Local;
            ref.index = count++;
            p.localNames.insert(param.name.toLower(), ref);
        }
        if (p.isFunction) {
            NameRef ref;
            ref.kind = NameRef::Local;
            ref.index = count++;
            p.returnSlot = ref.index;
            p.localNames.insert(p.name.toLower(), ref);
        }
        declare(p.decls);
        for (auto &d : p.decls)
            if (d.value)
                expr(d.value.get());
        block(p.body);
        p.slotCount = count;
        enter(RunningScope());
    }

    NameRef lookup(const QString &name, bool declareMissing)
    {
        const QString key = name.toLower();
        if (locals) {
            auto it = locals->find(key);
            if (it != locals->end())
                return *it;
        }
        NameRef ref;
        if (cls) {
            auto m = cls->memberIndex.find(key);
            if (m != cls->memberIndex.end()) {
                const ClassDecl::Member &member = cls->members[size_t(*m)];
                ref.kind = member.field >= 0 ? NameRef::Field : NameRef::Member;
                ref.index = member.field >= 0 ? member.field : *m;
                return ref;
            }
            if (key == QLatin1String("me")) {
                ref.kind = NameRef::Me;
                return ref;
            }
        }
        if (key == QLatin1String(kNoWithName)) {
            ref.kind = NameRef::NoWith;
            return ref;
        }
        auto g = prog.globalNames.find(key);
        if (g != prog.globalNames.end())
            return *g;
        auto p = prog.procNames.find(key);
        if (p != prog.procNames.end()) {
            ref.kind = NameRef::Procedure;
            ref.index = *p;
            return ref;
        }
        auto h = hostObjects.find(key);
        if (h != hostObjects.end()) {
            ref.kind = NameRef::HostObject;
            ref.index = *h;
            return ref;
        }
        if (key == QLatin1String("err")) {
            ref.kind = NameRef::ErrObject;
            return ref;
        }
        int b = findBuiltin(key);
        if (b >= 0) {
            ref.kind = NameRef::Builtin;
            ref.index = b;
            return ref;
        }
        Value c;
        if (findConstant(key, c)) {
            ref.kind = NameRef::Constant;
            return ref;
        }
        if (explicitNames && !declareMissing && !isHiddenName(key)) {
            ref.kind = NameRef::Undeclared;
            return ref;
        }
        // Assigning an undeclared name declares it in the scope that uses it.
        if (locals) {
            ref.kind = NameRef::Local;
            ref.index = (*localCount)++;
            locals->insert(key, ref);
        } else {
            ref.kind = NameRef::Global;
            ref.index = prog.globalCount++;
            prog.globalNames.insert(key, ref);
        }
        return ref;
    }

    void name(NameExpr *n, bool declareMissing = false)
    {
        n->ref = lookup(n->name, declareMissing);
        if (n->ref.kind == NameRef::Constant)
            findConstant(n->name.toLower(), n->constant);
    }

    void expr(Expr *e)
    {
        if (!e)
            return;
        switch (e->kind) {
        case ExprKind::Name:
            name(static_cast<NameExpr *>(e));
            break;
        case ExprKind::Call: {
            auto *c = static_cast<CallExpr *>(e);
            callee(c->callee.get());
            for (auto &a : c->args)
                expr(a.get());
            break;
        }
        case ExprKind::Member:
            expr(static_cast<MemberExpr *>(e)->object.get());
            break;
        case ExprKind::Unary:
            expr(static_cast<UnaryExpr *>(e)->operand.get());
            break;
        case ExprKind::Binary:
            expr(static_cast<BinaryExpr *>(e)->lhs.get());
            expr(static_cast<BinaryExpr *>(e)->rhs.get());
            break;
        case ExprKind::Paren:
            expr(static_cast<ParenExpr *>(e)->inner.get());
            break;
        case ExprKind::New: {
            auto *n = static_cast<NewExpr *>(e);
            // New RegExp is always the built-in one, even beside a script class of that name.
            const QString lower = n->className.toLower();
            n->classIndex = lower == QLatin1String("regexp") ? -1 : prog.classNames.value(lower, -1);
            if (n->classIndex < 0 && explicitNames && lower != QLatin1String("regexp"))
                n->undeclaredName = lookup(n->className, false).kind == NameRef::Undeclared;
            break;
        }
        default:
            break;
        }
    }

    // Inside a function, its own name with arguments calls it again instead of reading the
    // return value.
    void callee(Expr *e)
    {
        if (e->kind == ExprKind::Name && proc && proc->isFunction) {
            auto *n = static_cast<NameExpr *>(e);
            if (n->name.compare(proc->name, Qt::CaseInsensitive) == 0) {
                const QString key = proc->name.toLower();
                if (cls) {
                    n->ref.kind = NameRef::Member;
                    n->ref.index = cls->memberIndex.value(key);
                } else {
                    n->ref.kind = NameRef::Procedure;
                    n->ref.index = prog.procNames.value(key);
                }
                return;
            }
        }
        expr(e);
    }

    void block(Block &b)
    {
        for (auto &s : b)
            stmt(s.get());
    }

    void stmt(Stmt *s)
    {
        switch (s->kind) {
        case StmtKind::Assign: {
            auto *a = static_cast<AssignStmt *>(s);
            if (a->target->kind == ExprKind::Name)
                name(static_cast<NameExpr *>(a->target.get()), false);
            else
                expr(a->target.get());
            expr(a->value.get());
            break;
        }
        case StmtKind::Call: {
            auto *c = static_cast<CallStmt *>(s);
            callee(c->callee.get());
            for (auto &a : c->args)
                expr(a.get());
            break;
        }
        case StmtKind::ReDim:
            for (auto &item : static_cast<ReDimStmt *>(s)->items) {
                name(item.name.get(), true);
                for (auto &b : item.bounds)
                    expr(b.get());
            }
            break;
        case StmtKind::Erase:
            for (auto &n : static_cast<EraseStmt *>(s)->names)
                name(n.get());
            break;
        case StmtKind::If:
            for (auto &br : static_cast<IfStmt *>(s)->branches) {
                expr(br.cond.get());
                block(br.body);
            }
            block(static_cast<IfStmt *>(s)->elseBody);
            break;
        case StmtKind::For: {
            auto *f = static_cast<ForStmt *>(s);
            name(f->var.get());
            expr(f->from.get());
            expr(f->to.get());
            expr(f->step.get());
            block(f->body);
            break;
        }
        case StmtKind::ForEach: {
            auto *f = static_cast<ForEachStmt *>(s);
            name(f->var.get());
            expr(f->collection.get());
            block(f->body);
            break;
        }
        case StmtKind::Do:
            expr(static_cast<DoStmt *>(s)->cond.get());
            block(static_cast<DoStmt *>(s)->body);
            break;
        case StmtKind::Select: {
            auto *sel = static_cast<SelectStmt *>(s);
            expr(sel->test.get());
            for (auto &c : sel->cases) {
                for (auto &v : c.values)
                    expr(v.get());
                block(c.body);
            }
            block(sel->elseBody);
            break;
        }
        case StmtKind::With: {
            auto *w = static_cast<WithStmt *>(s);
            expr(w->object.get());
            name(w->var.get(), true);
            block(w->body);
            break;
        }
        default:
            break;
        }
    }

    Program &prog;
    const QHash<QString, int> &hostObjects;
    const Procedure *proc = nullptr;
    const ClassDecl *cls = nullptr;
    QHash<QString, NameRef> *locals = nullptr;
    int *localCount = nullptr;

public:
    // Option Explicit holds for the text it stands in: the script, or one Execute's code.
    bool explicitNames;
};

} // namespace

void resolveProgram(Program &prog, const QHash<QString, int> &hostObjects)
{
    Resolver r(prog, hostObjects);
    r.registerDefinitions(0, 0);
    r.scopeBody(prog.decls, prog.body, RunningScope());
    r.resolveDefinitions(0, 0);
}

void resolveFragment(Program &prog, Program &fragment, const QHash<QString, int> &hostObjects,
                     const RunningScope &scope)
{
    const size_t firstProc = prog.procedures.size();
    const size_t firstClass = prog.classes.size();
    for (auto &p : fragment.procedures)
        prog.procedures.push_back(std::move(p));
    for (auto &c : fragment.classes)
        prog.classes.push_back(std::move(c));
    fragment.procedures.clear();
    fragment.classes.clear();
    Resolver r(prog, hostObjects);
    r.explicitNames = fragment.optionExplicit;
    r.registerDefinitions(firstProc, firstClass);
    r.scopeBody(fragment.decls, fragment.body, scope);
    r.resolveDefinitions(firstProc, firstClass);
}

void resolveExpression(Program &prog, Expr &e, const QHash<QString, int> &hostObjects,
                       const RunningScope &scope)
{
    Resolver(prog, hostObjects).expression(e, scope);
}

} // namespace vbs
