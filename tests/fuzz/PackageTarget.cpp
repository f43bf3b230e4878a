// The package reader: any bytes are read or refused with EPackageError, never beyond the size
// limits, and what was read packs again into a package that reads back the same.
#include "tests/fuzz/FuzzTargets.h"

#include "skin/data/vlSkinPack.h"

namespace tovrin::fuzz {

int PackageReader(const std::uint8_t* data, std::size_t size) {
    using namespace skin;
    std::unique_ptr<TvlSkinConvertor> package;
    try {
        package = ReadPackageBytes({data, size}, "FUZZ.vlz");
    } catch (const EPackageError&) {
        return 0;
    }
    FUZZ_CHECK(package->SourcePosition <= size);
    std::uint64_t total = 0;
    std::vector<PackageEntry> entries;
    if (package->OptionsStream) {
        FUZZ_CHECK(package->OptionsStream->size() <= kOptionsTextLimit.Value);
        total += package->OptionsStream->size();
        entries.push_back({package->OptionsName, *package->OptionsStream});
    }
    for (const TvlImageItem& image : package->Images) {
        FUZZ_CHECK(image.Data.size() <= kSkinFileLimit.Value);
        total += image.Data.size();
        entries.push_back({image.Name, image.Data});
    }
    FUZZ_CHECK(total <= kPackageTotalLimit.Value);

    // A package with several options entries keeps only the last one; leave those out.
    std::size_t optionsEntries = 0;
    for (const PackageEntry& entry : entries)
        optionsEntries += EqualsIgnoringCase(entry.Name, "Options.dat");
    if (optionsEntries > 1 || package->Images.size() + (package->OptionsStream ? 1 : 0) != entries.size())
        return 0;
    const ByteArray again = WritePackage(entries);
    const auto reread = ReadPackageBytes(again);
    FUZZ_CHECK(reread->SourcePosition == again.size());
    FUZZ_CHECK(reread->Images.size() == package->Images.size());
    for (std::size_t i = 0; i < package->Images.size(); ++i) {
        FUZZ_CHECK(reread->Images[i].Name == package->Images[i].Name);
        FUZZ_CHECK(reread->Images[i].IsBitmap == package->Images[i].IsBitmap);
        FUZZ_CHECK(reread->Images[i].Data == package->Images[i].Data);
    }
    FUZZ_CHECK(bool(reread->OptionsStream) == bool(package->OptionsStream));
    if (package->OptionsStream)
        FUZZ_CHECK(*reread->OptionsStream == *package->OptionsStream);
    return 0;
}

} // namespace tovrin::fuzz
