// The newest-number pattern over PCRE2's 8-bit library (no UTF mode: bytes are characters).
#include "scanner/NewestNumberPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "framework/base/SysUtils.h"

namespace scanner {

struct NewestNumberPattern::Compiled {
    pcre2_code* code = nullptr;
    pcre2_match_data* match = nullptr;
    ~Compiled() {
        pcre2_match_data_free(match);
        pcre2_code_free(code);
    }
};

NewestNumberPattern::NewestNumberPattern() : compiled_(std::make_unique<Compiled>()) {
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    compiled_->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kNewestNumberPattern.data()), kNewestNumberPattern.size(),
                                    PCRE2_DOTALL, &errorCode, &errorOffset, nullptr);
    if (!compiled_->code)
        throw framework::Exception("Cannot compile the newest-number pattern");
    compiled_->match = pcre2_match_data_create_from_pattern(compiled_->code, nullptr);
}

NewestNumberPattern::~NewestNumberPattern() = default;

std::optional<std::string> NewestNumberPattern::Search(std::string_view text) const {
    int found = pcre2_match(compiled_->code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, 0,
                            compiled_->match, nullptr);
    if (found < 2)
        return std::nullopt;
    PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(compiled_->match);
    return std::string(text.substr(offsets[2], offsets[3] - offsets[2]));
}

} // namespace scanner
