// The grammar of a register description, built once per parser as a graph of rule nodes.
#include "compiler/description_parser.h"

#include <initializer_list>

namespace vek {

namespace {

struct Element {
    GrammarRule* rule;
    ChildMode mode;
};

Element One(GrammarRule& rule) {
    return {&rule, ChildMode::Mandatory};
}
Element Opt(GrammarRule& rule) {
    return {&rule, ChildMode::Optional};
}
Element Many(GrammarRule& rule) {
    return {&rule, ChildMode::Repeated};
}

// Makes the nodes; the parser owns them. Terminals are made per use so that each carries its own
// property code; composite rules used in several places are shared.
class GrammarFactory {
public:
    GrammarFactory(DescriptionParser& parser, std::vector<std::unique_ptr<GrammarRule>>& nodes)
        : parser_(parser), nodes_(nodes) {}

    TerminalRule& T(Token token) { return Make<TerminalRule>(token); }
    TerminalRule& T(Token token, int property) {
        TerminalRule& rule = T(token);
        rule.SetAction(RuleAction::Property, property);
        return rule;
    }
    TerminalRule& T(Token token, RuleAction action) {
        TerminalRule& rule = T(token);
        rule.SetAction(action);
        return rule;
    }

    SequenceRule& Seq(std::initializer_list<Element> elements,
                      RuleAction action = RuleAction::None) {
        SequenceRule& rule = Make<SequenceRule>();
        Fill(rule, elements);
        rule.SetAction(action);
        return rule;
    }
    void Fill(SequenceRule& rule, std::initializer_list<Element> elements) {
        for (const Element& element : elements)
            rule.Add(*element.rule, element.mode);
        sequences_.push_back(&rule);
    }

    AlternativeRule& Alt(std::initializer_list<GrammarRule*> children) {
        AlternativeRule& rule = Make<AlternativeRule>();
        for (GrammarRule* child : children)
            rule.Add(*child);
        return rule;
    }

    // number = hex | decimal | dual, handed over with the property of the rule that uses it.
    AlternativeRule& Number(int property) {
        return Alt(
            {&T(tokHexConst, property), &T(tokDecConst, property), &T(tokBinConst, property)});
    }

    template <typename Rule, typename... Args>
    Rule& Make(Args... args) {
        auto rule = std::make_unique<Rule>(parser_, args...);
        Rule& ref = *rule;
        nodes_.push_back(std::move(rule));
        return ref;
    }

    void FinishAll() {
        for (SequenceRule* rule : sequences_)
            rule->Finish();
        for (auto& node : nodes_)
            node->CacheFirst();
    }

private:
    DescriptionParser& parser_;
    std::vector<std::unique_ptr<GrammarRule>>& nodes_;
    std::vector<SequenceRule*> sequences_;
};

// The grammar's rules by section. Pieces used in several places are made once and shared.
class DescriptionGrammar {
public:
    explicit DescriptionGrammar(GrammarFactory& g) : g_(g) {}

    void Build() {
        SequenceRule& description = g_.Make<SequenceRule>(); // node 0, the root
        MakeSharedPieces();
        AlternativeRule& section =
            g_.Alt({&RegisterList(), &MacroDefinition(), &ScriptDefinition()});
        g_.Fill(description, {Many(section), One(g_.T(tokEof))});
        g_.FinishAll();
    }

private:
    using A = RuleAction;

    void MakeSharedPieces() {
        SequenceRule& dataSize =
            g_.Seq({One(g_.T(tokDataQualifier)), One(g_.T(tokDecConst, propDataSize)),
                    Opt(g_.Seq({One(g_.T(tokPoint)), One(g_.T(tokDecConst, propMemorySize))}))});
        SequenceRule& byteOrder =
            g_.Seq({One(g_.T(tokByteOrderQualifier)), One(g_.T(tokDecConst, propByteOrder))});
        dataFormat_ = &g_.Alt(
            {&g_.Seq({One(dataSize), Opt(byteOrder)}), &g_.Seq({One(byteOrder), Opt(dataSize)})});
        address_ = &g_.Seq(
            {One(g_.T(tokSqrBrkOpen)), One(g_.T(tokHexConst, propAddress)),
             One(g_.T(tokSqrBrkClose)),
             Opt(g_.Seq({One(g_.T(tokShift)), One(g_.T(tokDecConst, propAddressShift)),
                         One(g_.T(tokPoint)), One(g_.T(tokDecConst, propAddressLength))}))});
        attribute_ = &g_.Alt(
            {&g_.T(tokRdAttribute, propAttribute), &g_.T(tokWrAttribute, propAttribute),
             &g_.T(tokBothAttribute, propAttribute), &g_.T(tokProtAttribute, propAttribute),
             &g_.T(tokStatAttribute, propAttribute), &g_.T(tokRd_Cap_Attribute, propAttribute),
             &g_.T(tokWr_Cap_Attribute, propAttribute), &g_.T(tokBoth_Cap_Attribute, propAttribute),
             &g_.T(tokProt_Cap_Attribute, propAttribute),
             &g_.T(tokStat_Cap_Attribute, propAttribute)});
        help_ = &g_.Seq({One(g_.T(tokHelp)), One(g_.T(tokIdentifier, propAttribute))});
        mask_ = &g_.Seq({One(g_.T(tokMask)), One(g_.Number(propMask))});
        defaultValue_ = &g_.Seq({One(g_.T(tokAssignment)), One(g_.Number(propDefault))});
        textLine_ = &g_.Seq(
            {One(g_.T(tokStringLiteral, propTextLine)),
             Many(g_.Seq({One(g_.T(tokConcatenate)), One(g_.T(tokStringLiteral, propTextLine))})),
             Opt(*help_), One(g_.T(tokEndStatement))},
            A::CreateTextLine);
    }

    // "TC" and "SL", made per use so that each carries its own property hand-over.
    Element SignedDisplay() { return Opt(g_.T(tokTC, propSigned)); }
    Element OnSlider() { return Opt(g_.T(tokSL, propSlider)); }

    SequenceRule& RegisterList() {
        SequenceRule& head =
            g_.Seq({One(g_.T(tokBegRegister)), One(g_.T(tokStringLiteral, propRegisterList))},
                   A::BeginRegisterList);
        SequenceRule& deviceHeader =
            g_.Seq({One(g_.T(tokIdentifier, propDeviceName)), One(g_.T(tokAdrQualifier)),
                    One(g_.T(tokDecConst, propAddressSize)), Opt(*dataFormat_), Opt(*address_),
                    One(g_.T(tokEndStatement))},
                   A::CreateDevice);
        AlternativeRule& blockBody = g_.Alt({&RegisterGroup(), &VariableGroup()});
        SequenceRule& labelBlock = g_.Seq({One(g_.T(tokDecConst, propBlockLabel)),
                                           One(g_.T(tokLabel)), Many(SetEntry()), One(blockBody)});
        SequenceRule& deviceBlock =
            g_.Seq({One(g_.T(tokRoot)), One(deviceHeader), Many(labelBlock)});
        return g_.Seq({One(head), Many(deviceBlock), One(g_.T(tokEndRegister))});
    }

    SequenceRule& SetEntry() {
        AlternativeRule& setFormat = g_.Alt({&g_.Seq({One(*attribute_), Opt(*dataFormat_)}),
                                             &g_.Seq({One(*dataFormat_), Opt(*attribute_)})});
        SequenceRule& setHeader = g_.Seq({One(g_.T(tokStringLiteral, propSetName)), Opt(*address_),
                                          Opt(setFormat), Opt(*help_), One(g_.T(tokEndStatement))},
                                         A::CreateSet);
        return g_.Seq({One(setHeader),
                       Opt(g_.Seq({One(g_.T(tokDecConst, propSetLabel)), One(g_.T(tokLabel))}))});
    }

    SequenceRule& RegisterGroup() {
        AlternativeRule& macroPair =
            g_.Alt({&g_.Seq({One(g_.T(tokIdentifier, propBeforeMacro)),
                             Opt(g_.Seq({One(g_.T(tokConcatenate)),
                                         One(g_.T(tokIdentifier, propAfterMacro))}))}),
                    &g_.Seq({Opt(g_.T(tokIdentifier, propBeforeMacro)), One(g_.T(tokConcatenate)),
                             One(g_.T(tokIdentifier, propAfterMacro))})});
        SequenceRule& readBinding = g_.Seq(
            {One(g_.T(tokRdMacro, propReadBinding)), One(macroPair), One(g_.T(tokCurBrkClose))},
            A::BindReadMacros);
        SequenceRule& writeBinding = g_.Seq(
            {One(g_.T(tokWrMacro, propWriteBinding)), One(macroPair), One(g_.T(tokCurBrkClose))},
            A::BindWriteMacros);
        AlternativeRule& macroBinding = g_.Alt({&g_.Seq({One(readBinding), Opt(writeBinding)}),
                                                &g_.Seq({One(writeBinding), Opt(readBinding)})});
        SequenceRule& part = g_.Seq(
            {One(*address_), Opt(*mask_), One(*defaultValue_), Opt(*dataFormat_)}, A::CreatePart);
        SequenceRule& registerParts =
            g_.Seq({One(part), Many(g_.Seq({One(g_.T(tokConcatenate, A::NextPart)), One(part)}))},
                   A::ResetPart);
        SequenceRule& registerRule =
            g_.Seq({One(g_.T(tokIdentifier, propRegisterName)), One(registerParts),
                    Opt(*attribute_), Opt(g_.T(tokReadEffect, propReadEffects)), SignedDisplay(),
                    OnSlider(), Opt(macroBinding), Opt(*help_), One(g_.T(tokEndStatement))},
                   A::EndRegister);
        SequenceRule& bitField =
            g_.Seq({One(g_.T(tokIdentifier, propBitFieldName)), One(*address_), Opt(*mask_),
                    SignedDisplay(), OnSlider(), One(g_.T(tokEndStatement))},
                   A::CreateBitField);
        SequenceRule& bitEntry = g_.Seq({One(bitField), Opt(*textLine_)});
        SequenceRule& bitFieldList = g_.Seq({One(bitEntry), Many(bitEntry)});
        return g_.Seq({One(registerRule), Opt(g_.Alt({&bitFieldList, textLine_}))});
    }

    SequenceRule& VariableGroup() {
        SequenceRule& variableRead =
            g_.Seq({One(g_.T(tokRdMacro, propReadBinding)),
                    One(g_.T(tokIdentifier, propAfterMacro)), One(g_.T(tokCurBrkClose))},
                   A::BindReadMacros);
        SequenceRule& variableWrite =
            g_.Seq({One(g_.T(tokWrMacro, propWriteBinding)),
                    One(g_.T(tokIdentifier, propAfterMacro)), One(g_.T(tokCurBrkClose))},
                   A::BindWriteMacros);
        AlternativeRule& variableBinding =
            g_.Alt({&g_.Seq({One(variableRead), Opt(variableWrite)}),
                    &g_.Seq({One(variableWrite), Opt(variableRead)})});
        SequenceRule& variable = g_.Seq(
            {One(g_.T(tokVariable)), One(g_.T(tokIdentifier, propVariableName)),
             One(*defaultValue_),
             Opt(g_.Seq({One(g_.T(tokBitQualifier)), One(g_.T(tokDecConst, propVariableBitSize))})),
             SignedDisplay(), OnSlider(), Opt(variableBinding), Opt(*help_),
             One(g_.T(tokEndStatement))},
            A::CreateVariable);
        return g_.Seq({One(variable), Opt(*textLine_)});
    }

    SequenceRule& MacroDefinition() {
        SequenceRule& assignment =
            g_.Seq({One(g_.T(tokIdentifier, propStatementName)), One(g_.T(tokAssignment)),
                    One(g_.Alt({&g_.T(tokIdentifier, propStatementName),
                                &g_.Number(propStatementNumber)})),
                    One(g_.T(tokEndStatement))},
                   A::AddAssignment);
        SequenceRule& pause = g_.Seq({One(g_.T(tokSleep)), One(g_.T(tokRndBrkOpen)),
                                      One(g_.Number(propStatementNumber)),
                                      One(g_.T(tokRndBrkClose)), One(g_.T(tokEndStatement))},
                                     A::AddSleep);
        AlternativeRule& statement = g_.Alt({&assignment, &pause});
        SequenceRule& macroBlock =
            g_.Seq({One(g_.T(tokSqrBrkOpen)), One(g_.T(tokIdentifier, propMacroDevice)),
                    One(g_.T(tokSqrBrkClose)), Many(statement)});
        return g_.Seq({One(g_.T(tokBegMacro)), One(g_.T(tokIdentifier, propMacroName)),
                       Opt(g_.T(tokP, propOnMacroBar)), Many(macroBlock), One(g_.T(tokEndMacro))},
                      A::CreateMacro);
    }

    SequenceRule& ScriptDefinition() {
        return g_.Seq(
            {One(g_.T(tokBegBasic)), One(g_.T(tokIdentifier, propScriptName)),
             Many(g_.Seq({Opt(g_.T(tokP, propOnMacroBar)), Opt(g_.T(tokL, propLoadScript))})),
             Opt(g_.T(tokStringLiteral, propScriptFile)), One(g_.T(tokEndBasic))},
            A::CreateScriptMacro);
    }

    GrammarFactory& g_;
    AlternativeRule* dataFormat_ = nullptr;
    SequenceRule* address_ = nullptr;
    AlternativeRule* attribute_ = nullptr;
    SequenceRule* help_ = nullptr;
    SequenceRule* mask_ = nullptr;
    SequenceRule* defaultValue_ = nullptr;
    SequenceRule* textLine_ = nullptr;
};

} // namespace

void DescriptionParser::BuildGrammar() {
    GrammarFactory factory(*this, grammar_);
    DescriptionGrammar(factory).Build();
}

} // namespace vek
