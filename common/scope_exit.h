#pragma once

#include <utility>

namespace tarvin {

// Calls release when the scope it is made in ends, on every way out: the
// second call of a pair, said once where the first is made.
template <typename Release>
class ScopeExit {
public:
    explicit ScopeExit(Release release) : release_(std::move(release)) {}
    ~ScopeExit() { release_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Release release_;
};

}  // namespace tarvin
