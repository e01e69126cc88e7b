#include "vbscript/Resolver.h"

#include "vbscript/Builtins.h"

namespace vbs {

namespace {

class Resolver {
public:
    Resolver(Program &p, const QHash<QString, int> &h) : prog(p), hostObjects(h) {}

    void run()
    {
        for (int i = 0; i < int(prog.procedures.size()); ++i)
            procs.insert(prog.procedures[i]->name.toLower(), i);
        declare(prog.decls, globals, prog.globalCount, NameRef::Global);
        for (auto &d : prog.decls)
            if (d.value)
                expr(d.value.get());
        block(prog.body);
        for (auto &p : prog.procedures)
            procedure(*p);
    }

private:
    void declare(std::vector<Declaration> &decls, QHash<QString, NameRef> &scope, int &count,
                 NameRef::Kind kind)
    {
        for (auto &d : decls) {
            const QString key = d.name.toLower();
            auto it = scope.find(key);
            if (it == scope.end()) {
                NameRef ref;
                ref.kind = kind;
                ref.index = count++;
                it = scope.insert(key, ref);
            }
            it->readOnly = d.kind == Declaration::Const;
            d.slot = it->index;
        }
    }

    void procedure(Procedure &p)
    {
        proc = &p;
        locals.clear();
        int count = 0;
        for (const auto &param : p.params) {
            NameRef ref;
            ref.kind = NameRef::Local;
            ref.index = count++;
            locals.insert(param.name.toLower(), ref);
        }
        if (p.isFunction) {
            NameRef ref;
            ref.kind = NameRef::Local;
            ref.index = count++;
            p.returnSlot = ref.index;
            locals.insert(p.name.toLower(), ref);
        }
        declare(p.decls, locals, count, NameRef::Local);
        localCount = &count;
        for (auto &d : p.decls)
            if (d.value)
                expr(d.value.get());
        block(p.body);
        p.slotCount = count;
        proc = nullptr;
        localCount = nullptr;
    }

    NameRef lookup(const QString &name, bool declareMissing)
    {
        const QString key = name.toLower();
        if (proc) {
            auto it = locals.find(key);
            if (it != locals.end())
                return *it;
        }
        auto g = globals.find(key);
        if (g != globals.end())
            return *g;
        NameRef ref;
        auto p = procs.find(key);
        if (p != procs.end()) {
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
        if (prog.optionExplicit && !declareMissing) {
            ref.kind = NameRef::Undeclared;
            return ref;
        }
        // Assigning an undeclared name declares it in the scope that uses it.
        if (proc) {
            ref.kind = NameRef::Local;
            ref.index = (*localCount)++;
            locals.insert(key, ref);
        } else {
            ref.kind = NameRef::Global;
            ref.index = prog.globalCount++;
            globals.insert(key, ref);
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
                n->ref.kind = NameRef::Procedure;
                n->ref.index = procs.value(proc->name.toLower());
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
        default:
            break;
        }
    }

    Program &prog;
    const QHash<QString, int> &hostObjects;
    QHash<QString, int> procs;
    QHash<QString, NameRef> globals;
    QHash<QString, NameRef> locals;
    Procedure *proc = nullptr;
    int *localCount = nullptr;
};

} // namespace

void resolveProgram(Program &prog, const QHash<QString, int> &hostObjects)
{
    Resolver(prog, hostObjects).run();
}

} // namespace vbs
