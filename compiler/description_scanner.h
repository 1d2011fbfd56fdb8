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

// What the scanner tells its parser: each source line read, and each lexical error; and what it
// asks: the earliest character of the text that a token handed out is still held at (null: none).
class ScanListener {
public:
    virtual void CountLine() = 0;
    virtual void ReportError(StringId id) = 0;
    virtual const char* EarliestHeld() const = 0;

protected:
    ~ScanListener() = default;
};

struct ScannedToken {
    int code = tokEof;
    // Valid until the scanner is closed or opened again, and while the listener holds it.
    std::string_view text;
};

// Turns a register description into tokens, one source line at a time. Lines of 200 or more
// characters are refused whole; the progress indicator advances once per line read. The memory of
// the text read past and no longer held is given back as the scan goes on, so that a large
// description's text does not stay beside the items built from it.
class DescriptionScanner {
public:
    explicit DescriptionScanner(ScanListener& listener);

    // Starts scanning a description's text; the progress indicator counts its lines.
    void Open(std::string text, Host* progress);
    ScannedToken NextToken();
    void Close();
    // The column (from 1) at which a token of the current line starts; 0 for any other text.
    int ColumnOf(std::string_view token) const;

private:
    bool ReadLine();
    bool SkipToToken();
    ScannedToken Recognise();
    std::size_t MatchClass(int& code);
    void Consume(std::size_t length);
    void ReleaseReadText(std::size_t lineStart);

    ScanListener& listener_;
    Host* progress_ = nullptr;
    std::string source_;
    std::size_t next_ = 0;        // first unread character of the source
    std::size_t released_ = 0;    // the memory before this character is given back
    std::size_t nextRelease_ = 0; // where to try giving memory back again
    std::string_view line_;       // unread rest of the current line
    std::string_view wholeLine_;  // the current line
    bool ended_ = true;
    // Keywords by their first character, each list in code order.
    std::array<std::vector<TokenInfo>, 256> keywordsByFirst_;
};

} // namespace vek
