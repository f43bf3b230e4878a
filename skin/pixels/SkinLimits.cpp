// The wording of a limit in refusals.
#include "skin/pixels/SkinLimits.h"

namespace skin {

std::string LimitText(const SkinLimit& limit) {
    std::string text = "the ";
    text.append(limit.Name).append(" limit (");
    constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
    if (limit.Unit == "bytes" && limit.Value % kMiB == 0)
        text.append(std::to_string(limit.Value / kMiB)).append(" MiB");
    else
        text.append(std::to_string(limit.Value)).append(" ").append(limit.Unit);
    return text.append(")");
}

} // namespace skin
