#pragma once
// The syntax tree the parser builds and the resolver annotates: every name points at its
// storage slot or its procedure before the interpreter runs the tree. Each node also holds the
// code that runs it: on its first run the node is compiled (ExpressionCode, StatementCode) to a
// function chosen for its kind, operator and operands, which later runs call directly.
#include "vbscript/Operators.h"
#include "vbscript/Value.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace vbs {

// What a name stands for once resolved.
struct NameRef {
    enum Kind {
        Unresolved,
        Local,      // slot of the running procedure's frame
        Global,     // slot of the script-level frame
        Procedure,  // index into Program::procedures
        Builtin,    // index into the built-in function table
        Constant,   // a built-in constant: the literal in NameExpr::constant
        Field,      // inside a class: a field of Me (index into ClassInstance::fields)
        Member,     // inside a class: a method or property of Me (index into ClassDecl::members)
        Me,
        HostObject, // index into the objects the host registered
        ErrObject,
        Undeclared, // under Option Explicit: raises 500 when used
        NoWith,     // the object of `.Name` outside any With: raises 505 when used
    };
    Kind kind = Unresolved;
    int index = -1;
    bool readOnly = false; // a Const
};

// The object `.Name` reads when no With block is open.
constexpr const char *kNoWithName = "\x01nowith";

class Interpreter;
struct Expr;
struct Stmt;

// How a statement ends: on to the next one, or out of a loop or the procedure.
enum class Flow : unsigned char { Normal, ExitDo, ExitFor, ExitProcedure };

// The compiled form of a node: a function run with the node as its data.
using ExprCode = Value (*)(Interpreter &, const Expr *);
using StmtCode = Flow (*)(Interpreter &, const Stmt *);
// What a node runs before its first run: compiles the node, then runs it.
Value compileAndEvaluate(Interpreter &in, const Expr *e);
Flow compileAndExecute(Interpreter &in, const Stmt *s);

enum class ExprKind { Literal, Name, Call, Member, Unary, Binary, Paren, New };

struct Expr {
    explicit Expr(ExprKind k, int l) : kind(k), line(l) {}
    virtual ~Expr() = default;
    ExprKind kind;
    int line;
    int depth = 1; // height of this subtree, bounded by the parser
    mutable ExprCode code = &compileAndEvaluate;
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
    LiteralExpr(int l, Value v, bool token = true)
        : Expr(ExprKind::Literal, l), value(std::move(v)), bareToken(token)
    {
    }
    Value value;
    // Written as one number, date or string token: only such a literal decides how a string
    // and a number compare (a folded `-5` or True does not).
    bool bareToken;
};

// Whether `e` counts as a literal when a string meets a number in a comparison.
inline bool comparesAsLiteral(const Expr *e)
{
    if (e->kind != ExprKind::Literal)
        return false;
    const auto *l = static_cast<const LiteralExpr *>(e);
    return l->bareToken && l->value.type() != Type::Boolean;
}

struct NameExpr : Expr {
    NameExpr(int l, QString n) : Expr(ExprKind::Name, l), name(std::move(n)) {}
    QString name;
    NameRef ref;
    Value constant; // Kind::Constant
};

// name(args), obj.member(args), or an array element; `args` may hold null for an omitted one.
struct CallExpr : Expr {
    CallExpr(int l, ExprPtr c) : Expr(ExprKind::Call, l), callee(std::move(c)) {}
    ExprPtr callee; // NameExpr, MemberExpr, or any expression yielding an array or object
    std::vector<ExprPtr> args;
};

struct MemberExpr : Expr {
    MemberExpr(int l, ExprPtr o, QString n) : Expr(ExprKind::Member, l), object(std::move(o)), name(std::move(n)) {}
    ExprPtr object;
    QString name;
};

struct UnaryExpr : Expr {
    enum Op { Neg, Plus, Not };
    UnaryExpr(int l, Op o, ExprPtr e) : Expr(ExprKind::Unary, l), op(o), operand(std::move(e)) {}
    Op op;
    ExprPtr operand;
};

struct BinaryExpr : Expr {
    BinaryExpr(int l, BinOp o, ExprPtr a, ExprPtr b)
        : Expr(ExprKind::Binary, l), op(o), lhs(std::move(a)), rhs(std::move(b)) {}
    BinOp op;
    ExprPtr lhs, rhs;
};

// (expr): an argument in parentheses is passed by value.
struct ParenExpr : Expr {
    ParenExpr(int l, ExprPtr e) : Expr(ExprKind::Paren, l), inner(std::move(e)) {}
    ExprPtr inner;
};

struct NewExpr : Expr {
    NewExpr(int l, QString c) : Expr(ExprKind::New, l), className(std::move(c)) {}
    QString className;
    int classIndex = -1; // into Program::classes; -1 for RegExp or an unknown class
    // Under Option Explicit, a name nothing declares: the name is looked up as a variable
    // first, so New raises 500, not 506 (unless ExecuteGlobal defines the class later).
    bool undeclaredName = false;
};

enum class StmtKind { Assign, Call, ReDim, Erase, If, For, ForEach, Do, Select, Exit, OnError, With, Nop };

struct Stmt {
    explicit Stmt(StmtKind k, int l) : kind(k), line(l) {}
    virtual ~Stmt() = default;
    StmtKind kind;
    int line;
    mutable StmtCode code = &compileAndExecute;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
    AssignStmt(int l) : Stmt(StmtKind::Assign, l) {}
    ExprPtr target, value;
    bool isSet = false;
    // Whether this is s = s & a & b ... that may extend s in place: decided on the first run
    // (-1 until then), as the names are resolved for good by then.
    mutable signed char appends = -1;
};

struct CallStmt : Stmt {
    CallStmt(int l) : Stmt(StmtKind::Call, l) {}
    ExprPtr callee; // NameExpr or MemberExpr (or an expression for `Call`)
    std::vector<ExprPtr> args;
};

struct ReDimStmt : Stmt {
    ReDimStmt(int l) : Stmt(StmtKind::ReDim, l) {}
    struct Item {
        std::unique_ptr<NameExpr> name;
        std::vector<ExprPtr> bounds;
    };
    bool preserve = false;
    std::vector<Item> items;
};

struct EraseStmt : Stmt {
    EraseStmt(int l) : Stmt(StmtKind::Erase, l) {}
    std::vector<std::unique_ptr<NameExpr>> names;
};

struct IfStmt : Stmt {
    IfStmt(int l) : Stmt(StmtKind::If, l) {}
    struct Branch {
        ExprPtr cond;
        Block body;
    };
    std::vector<Branch> branches;
    Block elseBody;
};

struct ForStmt : Stmt {
    ForStmt(int l) : Stmt(StmtKind::For, l) {}
    std::unique_ptr<NameExpr> var;
    ExprPtr from, to, step;
    Block body;
};

struct ForEachStmt : Stmt {
    ForEachStmt(int l) : Stmt(StmtKind::ForEach, l) {}
    std::unique_ptr<NameExpr> var;
    ExprPtr collection;
    Block body;
};

struct DoStmt : Stmt {
    DoStmt(int l) : Stmt(StmtKind::Do, l) {}
    enum Test { Forever, PreWhile, PreUntil, PostWhile, PostUntil };
    Test test = Forever;
    ExprPtr cond;
    Block body;
};

struct SelectStmt : Stmt {
    SelectStmt(int l) : Stmt(StmtKind::Select, l) {}
    struct Case {
        std::vector<ExprPtr> values;
        Block body;
        int line = 0;
    };
    ExprPtr test;
    std::vector<Case> cases;
    bool hasElse = false;
    Block elseBody;
};

struct ExitStmt : Stmt {
    enum What { Do, For, Procedure };
    ExitStmt(int l, What w) : Stmt(StmtKind::Exit, l), what(w) {}
    What what;
};

struct OnErrorStmt : Stmt {
    OnErrorStmt(int l, bool r) : Stmt(StmtKind::OnError, l), resumeNext(r) {}
    bool resumeNext;
};

// With obj ... End With: the object is kept in a hidden variable that `.Name` reads.
struct WithStmt : Stmt {
    WithStmt(int l) : Stmt(StmtKind::With, l) {}
    std::unique_ptr<NameExpr> var;
    ExprPtr object;
    Block body;
};

// Declarations of one scope (the script or a procedure), set up when the scope is entered.
struct Declaration {
    enum Kind { Variable, FixedArray, DynamicArray, Const };
    Kind kind = Variable;
    QString name;
    int line = 0;
    std::vector<int32_t> upper; // FixedArray
    ExprPtr value;              // Const
    int slot = -1;              // filled by the resolver
    bool isPublic = true;       // class fields
};

enum class ProcKind { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Procedure {
    QString name;
    ProcKind kind = ProcKind::Sub;
    bool isFunction = false; // has a return value: Function or Property Get
    bool isPublic = true;
    bool isDefault = false;
    int line = 0;
    struct Param {
        QString name;
        bool byRef = true;
    };
    std::vector<Param> params;
    std::vector<Declaration> decls;
    Block body;
    // Filled by the resolver: slots 0..params-1 are the parameters, then the return value
    // (functions), then declared and implicit locals.
    int slotCount = 0;
    int returnSlot = -1;
    QHash<QString, NameRef> localNames; // by lower-case name, for code that Execute compiles
};

// A class: its fields and methods, and the members scripts reach by name. Property Get, Let
// and Set of one name form one member.
struct ClassDecl {
    QString name;
    int line = 0;
    std::vector<Declaration> fields;
    std::vector<std::unique_ptr<Procedure>> methods;
    // Filled by the resolver:
    struct Member {
        QString name;
        bool isPublic = true;
        int field = -1;                     // index into fields
        int get = -1, let = -1, set = -1;   // indexes into methods (get: also Sub/Function)
    };
    std::vector<Member> members;
    QHash<QString, int> memberIndex; // lower-case name -> members
    int defaultMember = -1;
    int initialize = -1, terminate = -1; // Class_Initialize / Class_Terminate in methods
};

struct Program {
    bool optionExplicit = false;
    std::vector<Declaration> decls; // script level
    Block body;
    std::vector<std::unique_ptr<Procedure>> procedures;
    std::vector<std::shared_ptr<ClassDecl>> classes; // shared with the objects made from them
    // Filled by the resolver:
    int globalCount = 0;
    QHash<QString, NameRef> globalNames; // by lower-case name
    QHash<QString, int> procNames;       // into procedures
    QHash<QString, int> classNames;      // into classes
};

} // namespace vbs
