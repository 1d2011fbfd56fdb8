#pragma once

#include "compiler/token.h"

#include <vector>

namespace vek {

class DescriptionParser;

// The builder calls that end a construct, with the parse state they need. Those that create
// items run only while no error has been counted; the others run regardless.
#define VEK_CONSTRUCT_ACTIONS(X)                                                                   \
    X(BeginRegisterList, CreatesItems)                                                             \
    X(CreateDevice, CreatesItems)                                                                  \
    X(CreateSet, CreatesItems)                                                                     \
    X(EndRegister, CreatesItems)                                                                   \
    X(CreateVariable, CreatesItems)                                                                \
    X(CreateBitField, CreatesItems)                                                                \
    X(CreateTextLine, CreatesItems)                                                                \
    X(CreateMacro, CreatesItems)                                                                   \
    X(BindReadMacros, Always)                                                                      \
    X(BindWriteMacros, Always)                                                                     \
    X(AddAssignment, Always)                                                                       \
    X(AddSleep, Always)

enum class ActionGate { CreatesItems, Always };

// What a rule does when it has matched: hand its token to the builder (terminals with a property
// code) or call the builder at the end of a construct.
enum class RuleAction {
    None,
    Property, // terminal: hand the token text over with the rule's property code
    NextPart, // terminal ",": the next register part
    ResetPart,
    CreatePart,        // creates items: with the part number
    CreateScriptMacro, // with the description's path
#define VEK_CONSTRUCT_ACTION_ENUM(name, when) name,
    VEK_CONSTRUCT_ACTIONS(VEK_CONSTRUCT_ACTION_ENUM)
#undef VEK_CONSTRUCT_ACTION_ENUM
};

// A node of the grammar graph. Parse tries to match the rule at the current token; in probing
// mode a failure reports nothing and consumes nothing.
class GrammarRule {
public:
    explicit GrammarRule(DescriptionParser& parser) : parser_(parser) {}
    virtual ~GrammarRule() = default;
    GrammarRule(const GrammarRule&) = delete;
    GrammarRule& operator=(const GrammarRule&) = delete;

    virtual bool Parse(TokenSet follow, bool probing) = 0;
    virtual void AddFirst(TokenSet& set) const = 0;

    // Parse, except that a probe at a token the rule cannot start with fails at once, as the
    // full trial would, without walking the rule.
    bool Try(TokenSet follow, bool probing);
    // Keeps the rule's first set for Try; called once the graph is complete.
    void CacheFirst() {
        first_ = {};
        AddFirst(first_);
    }

    void SetAction(RuleAction action, int property = 0) {
        action_ = action;
        property_ = property;
    }

protected:
    void RunAction();

    DescriptionParser& parser_;
    RuleAction action_ = RuleAction::None;
    int property_ = 0;
    TokenSet first_;
};

class TerminalRule : public GrammarRule {
public:
    TerminalRule(DescriptionParser& parser, Token expected)
        : GrammarRule(parser), expected_(expected) {}

    bool Parse(TokenSet follow, bool probing) override;
    void AddFirst(TokenSet& set) const override { set.Add(expected_); }

private:
    Token expected_ = tokUnknown;
};

enum class ChildMode { Mandatory = 0, Optional = 1, Repeated = 2 };

class SequenceRule : public GrammarRule {
public:
    using GrammarRule::GrammarRule;

    void Add(GrammarRule& child, ChildMode mode);
    // Works out the follow-set additions of every child; called once the graph is complete.
    void Finish();

    bool Parse(TokenSet follow, bool probing) override;
    void AddFirst(TokenSet& set) const override;

private:
    struct Child {
        GrammarRule* rule;
        ChildMode mode;
        TokenSet followExtra; // added to the caller's follow set for this child
    };
    std::vector<Child> children_;
};

class AlternativeRule : public GrammarRule {
public:
    using GrammarRule::GrammarRule;

    void Add(GrammarRule& child) { children_.push_back(&child); }

    bool Parse(TokenSet follow, bool probing) override;
    void AddFirst(TokenSet& set) const override;

private:
    std::vector<GrammarRule*> children_;
};

} // namespace vek
