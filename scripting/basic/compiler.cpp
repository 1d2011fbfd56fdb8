#include "scripting/basic/compiler.h"

#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/parser.h"
#include "scripting/basic/proc_compiler.h"
#include "scripting/basic/text_util.h"

namespace vek::basic {

// Declares the module-level names of all modules, evaluates their constants (in any order, each
// when first needed) and then compiles every procedure body.
class ProgramCompiler : private ConstantResolver {
public:
    ProgramCompiler(const std::vector<SourceModule>& sources,
                    const std::vector<HostFunctionInfo>& host_functions, Program& program,
                    std::vector<Diagnostic>& errors)
        : sources_(sources), host_functions_(host_functions), program_(program), errors_(errors) {}

    bool Run() {
        const std::size_t errors_before = errors_.Count();
        for (const SourceModule& source : sources_) {
            asts_.push_back(ParseModule(source.name, source.text, errors_));
            program_.modules.push_back({source.name});
        }
        if (errors_.Count() != errors_before) {
            return false;
        }
        program_.symbols.module_names.resize(asts_.size());
        for (std::size_t m = 0; m < asts_.size(); ++m) {
            Declare(static_cast<int>(m));
        }
        for (std::size_t i = 0; i < pending_.size(); ++i) {
            EvaluatePending(static_cast<int>(i));
        }
        for (const ModuleDeclaration& d : deferred_) {
            Finish(d);
        }
        if (errors_.Count() != errors_before) {
            return false;
        }
        for (std::size_t i = 0; i < program_.procs.size(); ++i) {
            Procedure& proc = program_.procs[i];
            const ModuleAst& ast = asts_[static_cast<std::size_t>(proc.module)];
            ProcCompiler compiler(program_, host_functions_, proc.module, ast.option_explicit,
                                  proc);
            compiler.CompileBody(*proc_decls_[i], ast.name, errors_);
        }
        return errors_.Count() == errors_before;
    }

private:
    struct PendingConstant {
        const VarDecl* decl = nullptr;
        enum class State { Pending, Busy, Done } state = State::Pending;
    };
    // Declarations that need constants: global array bounds and parameter defaults.
    struct ModuleDeclaration {
        int module = 0;
        const VarDecl* global = nullptr;
        int global_index = 0;
        const Param* param = nullptr;
        ParamInfo* param_info = nullptr;
        int proc_index = 0;
    };

    void Error(int module, const CompileMessage& message) {
        errors_.Report(program_.modules[static_cast<std::size_t>(module)].name, message);
    }

    void AddName(int module, const std::string& name, EntryKind kind, int index, bool is_public,
                 Position pos) {
        const std::string lower = Lower(name);
        auto& own = program_.symbols.module_names[static_cast<std::size_t>(module)];
        if (!own.emplace(lower, NameEntry{kind, index, module}).second) {
            Error(module, {CompileError::DuplicateDeclaration, pos, {name}});
            return;
        }
        if (is_public) {
            program_.symbols.public_names[lower].push_back({kind, index, module});
        }
    }

    void Declare(int m) {
        const ModuleAst& ast = asts_[static_cast<std::size_t>(m)];
        const bool shared = sources_[static_cast<std::size_t>(m)].shared;
        for (const StmtPtr& s : ast.declarations) {
            for (const VarDecl& d : s->decls) {
                if (s->kind == StmtKind::Const) {
                    DeclareConstant(m, d, s->is_public, shared);
                } else {
                    DeclareGlobal(m, d, s->is_public || shared);
                }
            }
        }
        for (const ProcDecl& decl : ast.procs) {
            DeclareProcedure(m, decl, shared);
        }
    }

    // Its value is evaluated once all names are known.
    void DeclareConstant(int m, const VarDecl& d, bool is_public, bool shared) {
        const int index = static_cast<int>(program_.symbols.constants.size());
        program_.symbols.constants.push_back({d.name, m, is_public, Variant()});
        pending_.push_back({&d});
        AddName(m, d.name, EntryKind::Constant, index, is_public || shared, d.pos);
    }

    void DeclareGlobal(int m, const VarDecl& d, bool is_public) {
        const int index = static_cast<int>(program_.globals.size());
        GlobalInfo g;
        g.name = d.name;
        g.module = m;
        g.is_public = is_public;
        g.type = d.is_array ? Tag::Empty : d.type;
        if (d.is_array) {
            g.init = UnallocatedArray(d.type);
            if (!d.bounds.empty()) {
                deferred_.push_back({m, &d, index, nullptr, nullptr, 0});
            }
        } else {
            g.init = DefaultValue(d.type);
        }
        program_.globals.push_back(std::move(g));
        AddName(m, d.name, EntryKind::Global, index, is_public, d.pos);
    }

    // The procedure with its parameter slots and result slot; parameter defaults are evaluated
    // once all names are known.
    void DeclareProcedure(int m, const ProcDecl& decl, bool shared) {
        const int index = static_cast<int>(program_.procs.size());
        program_.procs.emplace_back();
        proc_decls_.push_back(&decl);
        Procedure& proc = program_.procs.back();
        proc.name = decl.name;
        proc.module = m;
        proc.is_function = decl.is_function;
        proc.is_public = decl.is_public || shared;
        proc.line = decl.pos.line;
        proc.end_line = decl.end_line;
        for (const Param& p : decl.params) {
            ParamInfo info;
            static_cast<ParamMode&>(info) = p;
            info.by_ref = p.by_ref || p.is_array; // an array is always passed by reference
            info.name = Lower(p.name);
            for (const ParamInfo& other : proc.params) {
                if (other.name == info.name) {
                    Error(m, {CompileError::DuplicateParameter, p.pos, p.name});
                }
            }
            if (proc.params.size() > 0 && proc.params.back().optional && !p.optional) {
                Error(m, {CompileError::OptionalAfterOptional, p.pos});
            }
            proc.params.push_back(info);
            proc.slots.Add(info.name, p.is_array ? Tag::Empty : p.type, info.by_ref, Variant());
            if (p.default_value) {
                deferred_.push_back({m, nullptr, 0, &p, nullptr, index});
            }
        }
        if (decl.is_function) {
            proc.result_slot =
                proc.slots.Add({}, decl.return_type, false, DefaultValue(decl.return_type));
        }
        AddName(m, decl.name, EntryKind::Procedure, index, proc.is_public, decl.pos);
    }

    bool Resolve(const std::string& lower_name, Variant& out, CompileMessage& error) override {
        NameEntry entry;
        bool ambiguous = false;
        if (!program_.symbols.Lookup(current_module_, lower_name, entry, ambiguous) ||
            entry.kind != EntryKind::Constant) {
            return false;
        }
        if (!EvaluatePending(entry.index)) {
            error = {CompileError::ConstantWithoutValue, {}, {lower_name}};
            return false;
        }
        out = program_.symbols.constants[static_cast<std::size_t>(entry.index)].value;
        return true;
    }

    bool EvaluatePending(int index) {
        PendingConstant& p = pending_[static_cast<std::size_t>(index)];
        ConstantInfo& info = program_.symbols.constants[static_cast<std::size_t>(index)];
        if (p.state == PendingConstant::State::Done) {
            return true;
        }
        if (p.state == PendingConstant::State::Busy) {
            Error(info.module, {CompileError::ConstantRefersToItself, p.decl->pos, {info.name}});
            return false;
        }
        p.state = PendingConstant::State::Busy;
        const int saved_module = current_module_;
        current_module_ = info.module;
        CompileMessage error;
        Variant value;
        bool ok = EvaluateConstant(*p.decl->value, *this, value, error);
        current_module_ = saved_module;
        if (ok && CoerceTo(value, p.decl->type) != RunError::None) {
            error = {CompileError::ConstantDoesNotFit, {}, {info.name}};
            ok = false;
        }
        // A constant without a value is part of a cycle, which is reported where it closes.
        if (!ok && error.error != CompileError::None &&
            error.error != CompileError::ConstantWithoutValue) {
            error.pos = p.decl->pos;
            Error(info.module, error);
        }
        info.value = value;
        p.state = PendingConstant::State::Done;
        return ok;
    }

    bool ConstantInt(int module, const Expr& e, std::int32_t& out) {
        current_module_ = module;
        Variant v;
        CompileMessage error;
        if (!EvaluateConstant(e, *this, v, error)) {
            error.pos = e.pos;
            Error(module, error);
            return false;
        }
        if (ToLong(v, out) != RunError::None) {
            Error(module, {CompileError::ExpectedWholeNumber, e.pos});
            return false;
        }
        return true;
    }

    void Finish(const ModuleDeclaration& d) {
        if (d.global != nullptr) {
            std::int32_t lower[kMaxArrayDims] = {};
            std::int32_t upper[kMaxArrayDims] = {};
            const int dims = static_cast<int>(d.global->bounds.size());
            for (int i = 0; i < dims; ++i) {
                const Bound& b = d.global->bounds[static_cast<std::size_t>(i)];
                if ((b.lower && !ConstantInt(d.module, *b.lower, lower[i])) ||
                    !ConstantInt(d.module, *b.upper, upper[i])) {
                    return;
                }
            }
            GlobalInfo& g = program_.globals[static_cast<std::size_t>(d.global_index)];
            if (NewArray(dims, lower, upper, d.global->type, g.init) != RunError::None) {
                Error(d.module,
                      {CompileError::ArrayBoundsOutOfRange, d.global->pos, {d.global->name}});
            }
            return;
        }
        Procedure& proc = program_.procs[static_cast<std::size_t>(d.proc_index)];
        current_module_ = d.module;
        CompileMessage error;
        Variant value;
        if (!EvaluateConstant(*d.param->default_value, *this, value, error)) {
            error.pos = d.param->pos;
            Error(d.module, error);
            return;
        }
        for (ParamInfo& info : proc.params) {
            if (info.name == Lower(d.param->name)) {
                if (CoerceTo(value, info.type) != RunError::None) {
                    Error(d.module, {CompileError::DefaultDoesNotFit, d.param->pos});
                }
                info.default_value = value;
            }
        }
    }

    const std::vector<SourceModule>& sources_;
    const std::vector<HostFunctionInfo>& host_functions_;
    Program& program_;
    ErrorReporter errors_;
    std::vector<ModuleAst> asts_;
    std::vector<PendingConstant> pending_;
    std::vector<ModuleDeclaration> deferred_;
    std::vector<const ProcDecl*> proc_decls_;
    int current_module_ = 0;
};

bool CompileProgram(const std::vector<SourceModule>& modules,
                    const std::vector<HostFunctionInfo>& host_functions, Program& program,
                    std::vector<Diagnostic>& errors) {
    program = Program{};
    return ProgramCompiler(modules, host_functions, program, errors).Run();
}

bool CompileWatch(const Program& program, int proc_index, int module,
                  const std::vector<HostFunctionInfo>& host_functions, const std::string& text,
                  Procedure& out, std::string& error) {
    std::vector<Diagnostic> errors;
    ErrorReporter reporter(errors);
    ExprPtr expr = ParseExpression(text, reporter);
    if (!expr) {
        error = errors.empty() ? CompileErrorText({CompileError::ExpectedExpression, {}})
                               : errors.front().message;
        return false;
    }
    out = Procedure{};
    out.name = "(watch)";
    out.is_watch = true;
    out.module = module;
    if (proc_index >= 0) {
        const Procedure& context = program.procs[static_cast<std::size_t>(proc_index)];
        out.module = context.module;
        out.name = context.name;
        out.params = context.params;
        out.slots = context.slots;
    }
    try {
        ProcCompiler compiler(program, host_functions, out.module, true, out);
        compiler.CompileWatchExpression(*expr);
    } catch (const CompileMessage& failure) {
        error = CompileErrorText(failure);
        return false;
    }
    return true;
}

} // namespace vek::basic
