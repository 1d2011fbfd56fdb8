#include "cli/nearest_word.h"

#include <algorithm>
#include <vector>

namespace vek {

namespace {

// Edits between two words, a swap of neighbours counting as one (optimal string alignment).
std::size_t EditDistance(std::string_view a, std::string_view b) {
    const std::size_t columns = b.size() + 1;
    std::vector<std::size_t> d((a.size() + 1) * columns);
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i * columns] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            std::size_t best = std::min({d[(i - 1) * columns + j] + 1, d[i * columns + j - 1] + 1,
                                         d[(i - 1) * columns + j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                best = std::min(best, d[(i - 2) * columns + j - 2] + 1);
            d[i * columns + j] = best;
        }
    }
    return d.back();
}

} // namespace

std::string NearestWord(std::string_view word, std::span<const std::string_view> candidates) {
    // Dashes are not letters: "--yse" has three of them, like "yse".
    const std::size_t letters = word.size() - std::min(word.find_first_not_of('-'), word.size());
    const std::size_t limit = letters == 0 ? 0 : std::min<std::size_t>(2, (letters - 1) / 2);
    std::string_view best;
    std::size_t bestDistance = limit + 1;
    bool tie = false;
    for (std::string_view candidate : candidates) {
        const std::size_t distance = EditDistance(word, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
            tie = false;
        } else if (distance == bestDistance) {
            tie = true;
        }
    }
    return best.empty() || tie || bestDistance == 0 ? std::string() : std::string(best);
}

std::string DidYouMean(std::string_view word, std::span<const std::string_view> candidates) {
    const std::string nearest = NearestWord(word, candidates);
    return nearest.empty() ? std::string() : "; did you mean '" + nearest + "'?";
}

} // namespace vek
