#pragma once

#include "compiler/description_builder.h"

#include <string>
#include <vector>

namespace vek {

// A builder that creates nothing and keeps a line for every hand-over it receives, in order:
// "prop <code> '<text>' @<line>" for properties, the action's name (with its argument) for the
// rest. It lets the parser be checked without item creation.
class RecordingBuilder : public DescriptionBuilder {
public:
    void Attach(DiagnosticReporter&) override {}
    void AddProperty(int code, std::string_view text, int line) override;
    void BeginRegisterList() override { Record("BeginRegisterList"); }
    void CreateDevice() override { Record("CreateDevice"); }
    void CreateSet() override { Record("CreateSet"); }
    void CreatePart(int partNumber) override;
    void EndRegister() override { Record("EndRegister"); }
    void CreateVariable() override { Record("CreateVariable"); }
    void CreateBitField() override { Record("CreateBitField"); }
    void CreateTextLine() override { Record("CreateTextLine"); }
    void BindReadMacros() override { Record("BindReadMacros"); }
    void BindWriteMacros() override { Record("BindWriteMacros"); }
    void AddItemOperand(std::string_view name) override;
    void AddNumberOperand(std::string_view text) override;
    void AddAssignment() override { Record("Operator ="); }
    void AddSleep() override { Record("Operator sleep"); }
    void CreateMacro() override { Record("CreateMacro"); }
    void CreateScriptMacro(const std::string& descriptionPath) override;
    void Link() override { Record("Link"); }

    std::vector<std::string> events;

private:
    void Record(std::string event) { events.push_back(std::move(event)); }
};

} // namespace vek
