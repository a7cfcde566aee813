#include <windows.h>

// The executable's load configuration, which Windows reads before it loads
// the DLLs that TARVIN.exe imports. Its one setting is DependentLoadFlags
// (Reserved1 in these headers): Windows 10 from version 1607 on looks for
// those DLLs, and the ones they import, in the system folder only. GNU ld
// leaves the entry of the data directory that points here empty: the build
// fills it in afterwards (cmake/fill-load-configuration.sh).

static_assert(sizeof(void*) == 4, "the load configuration of a 32-bit program");

namespace {

constexpr IMAGE_LOAD_CONFIG_DIRECTORY32 LoadConfiguration() {
    IMAGE_LOAD_CONFIG_DIRECTORY32 configuration{};
    configuration.Size = sizeof configuration;
    configuration.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
    return configuration;
}

}  // namespace

// The name by which linkers and the build find it.
extern "C" const IMAGE_LOAD_CONFIG_DIRECTORY32 _load_config_used = LoadConfiguration();
