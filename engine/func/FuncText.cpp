#include "engine/func/FuncText.h"

#include "engine/func/FuncSet.h"

#include <algorithm>

namespace tallix {

std::vector<TokenCode> funcTokensFromText(std::string_view text) {
    std::vector<TokenCode> tokens;
    KeywordFeed feed;
    for (char c : text) {
        if (auto code = funcCodeForChar(c)) {
            if (*code != func::Enter) tokens.push_back(*code);
        } else if (auto word = feed.feed(c, FuncKeywords)) {
            tokens.push_back(*word);
        }
    }
    return tokens;
}

} // namespace tallix

namespace tallix {

void setFuncText(FuncSet& set, int n, std::string_view text) {
    set.setTokens(n, funcTokensFromText(text));
}

} // namespace tallix
