#include "engine/lists/RegrCopy.h"

#include "engine/func/FuncEditor.h"
#include "engine/func/FuncSet.h"

namespace tallix {

std::vector<TokenCode> copyTextCodes(std::string_view text) {
    std::vector<TokenCode> codes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            codes.push_back(kDigitCodes[static_cast<std::size_t>(c - '0')]);
            continue;
        }
        switch (c) {
        case 'x':
            codes.push_back(func::Var);
            break;
        case '(':
            codes.push_back(func::OpenParen);
            break;
        case ')':
            codes.push_back(func::CloseParen);
            break;
        case '*':
            codes.push_back(22);
            break; // the times key
        case '+':
            codes.push_back(func::Plus);
            break;
        case '-':
            codes.push_back(func::Minus);
            break;
        case '.':
            codes.push_back(func::Point);
            break;
        case '^':
            codes.push_back(func::Power);
            break;
        case '/':
            codes.push_back(func::Divide);
            break;
        case 'e':
            codes.push_back(func::E);
            break;
        case 'l':
            codes.push_back(func::Ln);
            ++i;
            break;
        default:
            break;
        }
    }
    return codes;
}

int copyTargetSlot(const FuncSet& funcs) {
    if (funcs.ParamMode) {
        for (int n = 1; n < kFuncSlotCount; n += 2)
            if (funcs.slot(n).TokenCount() == 0) return n;
        return kFuncSlotCount - 1;
    }
    for (int n = 1; n <= kFuncSlotCount; ++n)
        if (funcs.slot(n).TokenCount() == 0) return n;
    return kFuncSlotCount;
}

int copyFitToFunctions(FuncSet& funcs, FuncEditor& editor, std::string_view text) {
    if (text.empty()) return 0;
    const int n = copyTargetSlot(funcs);
    funcs.prepareOutsideWrite(n);
    for (TokenCode code : copyTextCodes(text))
        editor.ProcessFuncButtonClick(code);
    editor.ProcessFuncButtonClick(func::Enter);
    return n;
}

} // namespace tallix
