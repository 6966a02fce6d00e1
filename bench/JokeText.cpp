#include "bench/JokeText.h"

#include <iterator>
#include <string>

namespace bench {

CString JokeText(int n) {
    static const char16_t* const words[] = {u"A",    u"man",    u"walks",   u"into",   u"a",
                                            u"bar,", u"orders", u"salt",    u"&",      u"pepper",
                                            u"and",  u"the",    u"owner",   u"says:",  u"\"Why",
                                            u"the",  u"long",   u"face?\"", u"Nobody", u"laughs"};
    std::u16string text;
    for (std::size_t i = 0; text.size() < static_cast<std::size_t>(n); ++i) {
        if (!text.empty())
            text += (i % 29 == 0) ? u'\n' : u' ';
        text += words[i % std::size(words)];
    }
    text.resize(static_cast<std::size_t>(n));
    return CString(text);
}

}  // namespace bench
