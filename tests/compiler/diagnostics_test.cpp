#include "compiler/diagnostics.h"
#include "compiler/limits.h"
#include "platform/recording_host.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(Diagnostics, EachSeverityHasItsLineFormat) {
    DiagnosticArguments wrong = DiagnosticArguments::OfToken(";");
    EXPECT_EQ(DiagnosticLine(StringId::ErrP02, 7, wrong), "Line 7: error P02: wrong syntax ';'");
    wrong.expected = "']'";
    EXPECT_EQ(DiagnosticLine(StringId::ErrP02, 7, wrong),
              "Line 7: error P02: wrong syntax ';', expected ']'");
    EXPECT_EQ(DiagnosticLine(StringId::ErrP00, 12, wrong),
              "Line 12: error P00: unexpected end of file ")
        << "P00 names neither the token nor the expected one";
    EXPECT_EQ(DiagnosticLine(StringId::ErrP07, 3, DiagnosticArguments::OfToken("%")),
              "Line 3: error P07: unknown token '%'");

    EXPECT_EQ(DiagnosticLine(StringId::ErrB16, 9, DiagnosticArguments::OfName("CTRL")),
              "Line 9 : error B16: 'CTRL': redefinition");
    EXPECT_EQ(DiagnosticLine(StringId::ErrB26, 4, DiagnosticArguments::OfName("Init", "2")),
              "Line 4 : error B26: 'Init': macro does not take 2 parameter(s)");
    EXPECT_EQ(DiagnosticLine(StringId::ErrB12, 0, {}), "error B12: Mask error")
        << "a builder message at line 0 carries no line";
    EXPECT_EQ(DiagnosticLine(StringId::ErrB27, 5, {}), "Line 5 : error B27: '': unresolved macro")
        << "a name left empty is still quoted";
}

TEST(Diagnostics, SyntaxErrorsAreCountedUpToTheLimitAndBuilderErrorsAlways) {
    RecordingHost host;
    DiagnosticReporter reporter;
    reporter.Start(&host);
    for (int i = 0; i < 15; ++i)
        reporter.Report(StringId::ErrP07, 1, DiagnosticArguments::OfToken("%"));
    EXPECT_EQ(reporter.ErrorCount(), kReportedSyntaxErrorLimit + 1);
    EXPECT_EQ(host.lines.size(), 11u);

    reporter.Report(StringId::ErrB19, 2);
    reporter.Report(StringId::ErrP05, 2);
    EXPECT_EQ(reporter.ErrorCount(), 12);
    EXPECT_EQ(host.Texts().back(), "Line 2 : error B19: String too large");

    reporter.Start(nullptr);
    EXPECT_EQ(reporter.ErrorCount(), 0) << "a new compile counts afresh";
    reporter.Report(StringId::ErrB01, 3);
    EXPECT_EQ(reporter.ErrorCount(), 1) << "without an output window errors are still counted";
    EXPECT_EQ(host.lines.size(), 12u);
}

TEST(Diagnostics, TheCatalogueSaysWhoRaisesEachMessageAndWhatItCarries) {
    for (int number = 1; number <= 48; ++number) {
        const CatalogueEntry* entry = FindCatalogueEntry(number);
        if (entry == nullptr)
            continue;
        const std::string_view text = entry->text;
        const bool named = text.find("%l") != std::string_view::npos;
        const bool numbered = text.find("%n") != std::string_view::npos;
        EXPECT_EQ(named, entry->arguments == MessageArguments::Name ||
                             entry->arguments == MessageArguments::NameNumber)
            << text;
        EXPECT_EQ(numbered, entry->arguments == MessageArguments::NameNumber) << text;
        if (text.starts_with("error P"))
            EXPECT_EQ(entry->severity, Severity::SyntaxError) << text;
        else if (text.starts_with("error B"))
            EXPECT_EQ(entry->severity, Severity::Error) << text;
        else
            EXPECT_EQ(entry->severity, Severity::DriverError) << text;
    }
}

} // namespace
} // namespace vek
