#pragma once

#include "compiler/token.h"
#include "platform/string_table.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

class Host;

// What the scanner tells its parser: each source line read, and each lexical error.
class ScanListener {
public:
    virtual void CountLine() = 0;
    virtual void ReportError(StringId id) = 0;

protected:
    ~ScanListener() = default;
};

struct ScannedToken {
    int code = tokEof;
    std::string_view text; // valid until the scanner is closed or opened again
};

// Turns a register description into tokens, one source line at a time. Lines of 200 or more
// characters are refused whole; the progress indicator advances once per line read.
class DescriptionScanner {
public:
    explicit DescriptionScanner(ScanListener& listener);

    // Starts scanning a description's text; the progress indicator counts its lines.
    void Open(std::string text, Host* progress);
    ScannedToken NextToken();
    void Close();

private:
    bool ReadLine();
    bool SkipToToken();
    ScannedToken Recognise();
    std::size_t MatchClass(int& code);
    void Consume(std::size_t length);

    ScanListener& listener_;
    Host* progress_ = nullptr;
    std::string source_;
    std::size_t next_ = 0;  // first unread character of the source
    std::string_view line_; // unread rest of the current line
    bool ended_ = true;
    // Keywords by their first character, each list in code order.
    std::array<std::vector<TokenInfo>, 256> keywordsByFirst_;
};

} // namespace vek
