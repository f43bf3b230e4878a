// The one walk along a section's "PARENTCLASS" chain, shared by the options reader (keys
// inherited in the options text) and the model's look-ups (masks inherited from parents).
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// step(name) looks at one section of the chain and returns its parent's name, or nullptr to end
// the walk. The walk also ends at an empty parent, "?", a parent naming the section itself, and
// a section already seen, so that a chain that loops always ends. The names step returns must
// outlive the walk (they are the options text's or the model's own strings).
template <class Step>
void WalkParentChain(std::string_view section, Step&& step) {
    // Chains are short: the sections seen are kept in place, and only a long chain allocates.
    constexpr std::size_t kInPlace = 8;
    std::array<std::string_view, kInPlace> recent;
    std::vector<std::string_view> more;
    std::size_t count = 0;
    const auto seen = [&](std::string_view name) {
        return std::find(recent.begin(), recent.begin() + std::min(count, kInPlace), name) !=
                   recent.begin() + std::min(count, kInPlace) ||
               std::find(more.begin(), more.end(), name) != more.end();
    };
    std::string_view current = section;
    for (;;) {
        const std::string* parent = step(current);
        if (count < kInPlace)
            recent[count] = current;
        else
            more.push_back(current);
        ++count;
        if (parent == nullptr || parent->empty() || *parent == "?" || *parent == current || seen(*parent))
            return;
        current = *parent;
    }
}

} // namespace skin
