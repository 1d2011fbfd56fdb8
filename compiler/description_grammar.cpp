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

} // namespace

void DescriptionParser::BuildGrammar() {
    GrammarFactory g(*this, grammar_);
    using A = RuleAction;

    SequenceRule& description = g.Make<SequenceRule>(); // node 0, the root

    // Shared pieces.
    SequenceRule& dataSize =
        g.Seq({One(g.T(tokDataQualifier)), One(g.T(tokDecConst, propDataSize)),
               Opt(g.Seq({One(g.T(tokPoint)), One(g.T(tokDecConst, propMemorySize))}))});
    SequenceRule& byteOrder =
        g.Seq({One(g.T(tokByteOrderQualifier)), One(g.T(tokDecConst, propByteOrder))});
    AlternativeRule& dataFormat =
        g.Alt({&g.Seq({One(dataSize), Opt(byteOrder)}), &g.Seq({One(byteOrder), Opt(dataSize)})});
    SequenceRule& address = g.Seq(
        {One(g.T(tokSqrBrkOpen)), One(g.T(tokHexConst, propAddress)), One(g.T(tokSqrBrkClose)),
         Opt(g.Seq({One(g.T(tokShift)), One(g.T(tokDecConst, propAddressShift)), One(g.T(tokPoint)),
                    One(g.T(tokDecConst, propAddressLength))}))});
    AlternativeRule& attribute = g.Alt(
        {&g.T(tokRdAttribute, propAttribute), &g.T(tokWrAttribute, propAttribute),
         &g.T(tokBothAttribute, propAttribute), &g.T(tokProtAttribute, propAttribute),
         &g.T(tokStatAttribute, propAttribute), &g.T(tokRd_Cap_Attribute, propAttribute),
         &g.T(tokWr_Cap_Attribute, propAttribute), &g.T(tokBoth_Cap_Attribute, propAttribute),
         &g.T(tokProt_Cap_Attribute, propAttribute), &g.T(tokStat_Cap_Attribute, propAttribute)});
    SequenceRule& help = g.Seq({One(g.T(tokHelp)), One(g.T(tokIdentifier, propAttribute))});
    SequenceRule& mask = g.Seq({One(g.T(tokMask)), One(g.Number(propMask))});
    SequenceRule& defaultValue = g.Seq({One(g.T(tokAssignment)), One(g.Number(propDefault))});
    SequenceRule& textLine =
        g.Seq({One(g.T(tokStringLiteral, propTextLine)),
               Many(g.Seq({One(g.T(tokConcatenate)), One(g.T(tokStringLiteral, propTextLine))})),
               Opt(help), One(g.T(tokEndStatement))},
              A::CreateTextLine);
    auto tcAndSl = [&] {
        return std::pair{Opt(g.T(tokTC, propSigned)), Opt(g.T(tokSL, propSlider))};
    };

    // Register list and device.
    SequenceRule& registerListHead =
        g.Seq({One(g.T(tokBegRegister)), One(g.T(tokStringLiteral, propRegisterList))},
              A::BeginRegisterList);
    SequenceRule& deviceHeader =
        g.Seq({One(g.T(tokIdentifier, propDeviceName)), One(g.T(tokAdrQualifier)),
               One(g.T(tokDecConst, propAddressSize)), Opt(dataFormat), Opt(address),
               One(g.T(tokEndStatement))},
              A::CreateDevice);

    // Sets.
    AlternativeRule& setFormat = g.Alt(
        {&g.Seq({One(attribute), Opt(dataFormat)}), &g.Seq({One(dataFormat), Opt(attribute)})});
    SequenceRule& setHeader = g.Seq({One(g.T(tokStringLiteral, propSetName)), Opt(address),
                                     Opt(setFormat), Opt(help), One(g.T(tokEndStatement))},
                                    A::CreateSet);
    SequenceRule& setEntry = g.Seq(
        {One(setHeader), Opt(g.Seq({One(g.T(tokDecConst, propSetLabel)), One(g.T(tokLabel))}))});

    // Macro bindings.
    AlternativeRule& macroPair = g.Alt(
        {&g.Seq({One(g.T(tokIdentifier, propBeforeMacro)),
                 Opt(g.Seq({One(g.T(tokConcatenate)), One(g.T(tokIdentifier, propAfterMacro))}))}),
         &g.Seq({Opt(g.T(tokIdentifier, propBeforeMacro)), One(g.T(tokConcatenate)),
                 One(g.T(tokIdentifier, propAfterMacro))})});
    SequenceRule& readBinding =
        g.Seq({One(g.T(tokRdMacro, propReadBinding)), One(macroPair), One(g.T(tokCurBrkClose))},
              A::BindReadMacros);
    SequenceRule& writeBinding =
        g.Seq({One(g.T(tokWrMacro, propWriteBinding)), One(macroPair), One(g.T(tokCurBrkClose))},
              A::BindWriteMacros);
    AlternativeRule& macroBinding = g.Alt({&g.Seq({One(readBinding), Opt(writeBinding)}),
                                           &g.Seq({One(writeBinding), Opt(readBinding)})});

    // Registers and bit fields.
    SequenceRule& part =
        g.Seq({One(address), Opt(mask), One(defaultValue), Opt(dataFormat)}, A::CreatePart);
    SequenceRule& registerParts = g.Seq(
        {One(part), Many(g.Seq({One(g.T(tokConcatenate, A::NextPart)), One(part)}))}, A::ResetPart);
    const auto [registerTc, registerSl] = tcAndSl();
    SequenceRule& registerRule =
        g.Seq({One(g.T(tokIdentifier, propRegisterName)), One(registerParts), Opt(attribute),
               registerTc, registerSl, Opt(macroBinding), Opt(help), One(g.T(tokEndStatement))},
              A::EndRegister);
    const auto [bitTc, bitSl] = tcAndSl();
    SequenceRule& bitField = g.Seq({One(g.T(tokIdentifier, propBitFieldName)), One(address),
                                    Opt(mask), bitTc, bitSl, One(g.T(tokEndStatement))},
                                   A::CreateBitField);
    SequenceRule& bitEntry = g.Seq({One(bitField), Opt(textLine)});
    SequenceRule& bitFieldList = g.Seq({One(bitEntry), Many(bitEntry)});
    SequenceRule& registerGroup =
        g.Seq({One(registerRule), Opt(g.Alt({&bitFieldList, &textLine}))});

    // Variables.
    SequenceRule& variableRead =
        g.Seq({One(g.T(tokRdMacro, propReadBinding)), One(g.T(tokIdentifier, propAfterMacro)),
               One(g.T(tokCurBrkClose))},
              A::BindReadMacros);
    SequenceRule& variableWrite =
        g.Seq({One(g.T(tokWrMacro, propWriteBinding)), One(g.T(tokIdentifier, propAfterMacro)),
               One(g.T(tokCurBrkClose))},
              A::BindWriteMacros);
    AlternativeRule& variableBinding = g.Alt({&g.Seq({One(variableRead), Opt(variableWrite)}),
                                              &g.Seq({One(variableWrite), Opt(variableRead)})});
    const auto [variableTc, variableSl] = tcAndSl();
    SequenceRule& variable =
        g.Seq({One(g.T(tokVariable)), One(g.T(tokIdentifier, propVariableName)), One(defaultValue),
               Opt(g.Seq({One(g.T(tokBitQualifier)), One(g.T(tokDecConst, propVariableBitSize))})),
               variableTc, variableSl, Opt(variableBinding), Opt(help), One(g.T(tokEndStatement))},
              A::CreateVariable);
    SequenceRule& variableGroup = g.Seq({One(variable), Opt(textLine)});

    // Label blocks, devices, register lists.
    AlternativeRule& blockBody = g.Alt({&registerGroup, &variableGroup});
    SequenceRule& labelBlock = g.Seq({One(g.T(tokDecConst, propBlockLabel)), One(g.T(tokLabel)),
                                      Many(setEntry), One(blockBody)});
    SequenceRule& deviceBlock = g.Seq({One(g.T(tokRoot)), One(deviceHeader), Many(labelBlock)});
    SequenceRule& registerList =
        g.Seq({One(registerListHead), Many(deviceBlock), One(g.T(tokEndRegister))});

    // Register macros.
    SequenceRule& assignment =
        g.Seq({One(g.T(tokIdentifier, propStatementName)), One(g.T(tokAssignment)),
               One(g.Alt({&g.T(tokIdentifier, propStatementName), &g.Number(propStatementNumber)})),
               One(g.T(tokEndStatement))},
              A::AddAssignment);
    SequenceRule& pause =
        g.Seq({One(g.T(tokSleep)), One(g.T(tokRndBrkOpen)), One(g.Number(propStatementNumber)),
               One(g.T(tokRndBrkClose)), One(g.T(tokEndStatement))},
              A::AddSleep);
    AlternativeRule& statement = g.Alt({&assignment, &pause});
    SequenceRule& macroBlock =
        g.Seq({One(g.T(tokSqrBrkOpen)), One(g.T(tokIdentifier, propMacroDevice)),
               One(g.T(tokSqrBrkClose)), Many(statement)});
    SequenceRule& macroDefinition =
        g.Seq({One(g.T(tokBegMacro)), One(g.T(tokIdentifier, propMacroName)),
               Opt(g.T(tokP, propOnMacroBar)), Many(macroBlock), One(g.T(tokEndMacro))},
              A::CreateMacro);

    // Script macros.
    SequenceRule& scriptDefinition =
        g.Seq({One(g.T(tokBegBasic)), One(g.T(tokIdentifier, propScriptName)),
               Many(g.Seq({Opt(g.T(tokP, propOnMacroBar)), Opt(g.T(tokL, propLoadScript))})),
               Opt(g.T(tokStringLiteral, propScriptFile)), One(g.T(tokEndBasic))},
              A::CreateScriptMacro);

    AlternativeRule& section = g.Alt({&registerList, &macroDefinition, &scriptDefinition});
    g.Fill(description, {Many(section), One(g.T(tokEof))});
    g.FinishAll();
}

} // namespace vek
