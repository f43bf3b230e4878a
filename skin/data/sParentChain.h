// The one walk along a section's "PARENTCLASS" chain, shared by the options reader (keys
// inherited in the options text) and the model's look-ups (masks inherited from parents).
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace skin {

// step(name) looks at one section of the chain and returns its parent's name, or nullptr to end
// the walk. The walk also ends at an empty parent, "?", a parent naming the section itself, and
// a section already seen, so that a chain that loops always ends.
template <class Step>
void WalkParentChain(std::string_view section, Step&& step) {
    std::unordered_set<std::string> seen;
    std::string current(section);
    for (;;) {
        const std::string* parent = step(std::string_view(current));
        seen.insert(current);
        if (parent == nullptr || parent->empty() || *parent == "?" || *parent == current || seen.count(*parent) != 0)
            return;
        current = *parent;
    }
}

} // namespace skin
