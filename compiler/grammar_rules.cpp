#include "compiler/grammar_rules.h"

#include "compiler/description_parser.h"

namespace vek {

void GrammarRule::RunAction() {
    if (action_ != RuleAction::None)
        parser_.Perform(action_, property_);
}

bool GrammarRule::Try(TokenSet follow, bool probing) {
    if (probing && !first_.Contains(parser_.CurrentToken())) {
        parser_.MissProbe();
        return false;
    }
    return Parse(follow, probing);
}

bool TerminalRule::Parse(TokenSet follow, bool probing) {
    if (parser_.CurrentToken() == expected_) {
        RunAction();
        parser_.Accept();
        return true;
    }
    if (probing)
        parser_.MissProbe();
    else
        parser_.Reject(expected_, follow);
    return false;
}

void SequenceRule::Add(GrammarRule& child, ChildMode mode) {
    children_.push_back({&child, mode, {}});
}

void SequenceRule::Finish() {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        TokenSet extra;
        if (children_[i].mode == ChildMode::Repeated)
            children_[i].rule->AddFirst(extra);
        for (std::size_t j = i + 1; j < children_.size(); ++j) {
            children_[j].rule->AddFirst(extra);
            if (children_[j].mode == ChildMode::Mandatory)
                break;
        }
        children_[i].followExtra = extra;
    }
}

bool SequenceRule::Parse(TokenSet follow, bool probing) {
    bool matched = false;
    std::size_t i = 0;
    while (i < children_.size()) {
        const Child& child = children_[i];
        const bool mandatory = child.mode == ChildMode::Mandatory;
        const bool disabledBefore = !parser_.ReportingEnabled();
        const bool ok = child.rule->Try(follow | child.followExtra, probing || !mandatory);
        if (ok) {
            matched = true;
            probing = false; // committed
            if (child.mode == ChildMode::Repeated)
                continue;
        } else {
            if (probing && mandatory)
                return matched;
            // A failing part of a sequence while resynchronising abandons the rest of it.
            if (disabledBefore && !parser_.ReportingEnabled() && mandatory)
                return matched;
        }
        ++i;
    }
    RunAction();
    return matched;
}

void SequenceRule::AddFirst(TokenSet& set) const {
    for (const Child& child : children_) {
        child.rule->AddFirst(set);
        if (child.mode == ChildMode::Mandatory)
            break;
    }
}

bool AlternativeRule::Parse(TokenSet follow, bool probing) {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const bool last = i + 1 == children_.size();
        if (children_[i]->Try(follow, last ? probing : true)) {
            RunAction();
            return true;
        }
    }
    return false;
}

void AlternativeRule::AddFirst(TokenSet& set) const {
    for (const GrammarRule* child : children_)
        child->AddFirst(set);
}

} // namespace vek
