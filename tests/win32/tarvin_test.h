#pragma once

// The fixture of the end-to-end tests that start TARVIN.exe and use its commands.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "common/win32/system_message_text.h"
#include "registry/registry.h"
#include "tests/win32/tarvin_process.h"

namespace tarvin::testing {

class TarvinTest : public ::testing::Test {
protected:
    // Starts TARVIN and waits for its window.
    void Start() {
        tarvin_.emplace();
        ASSERT_NE(tarvin_->WaitForMainWindow(), nullptr);
        ASSERT_THAT(tarvin_->MessageBoxes(), ::testing::IsEmpty());
    }

    // Selects the lines with these texts in a list, wherever its order puts them.
    void SelectLines(int listId, const std::vector<std::wstring>& texts) {
        const auto lines = tarvin_->ListLines(listId);
        for (const std::wstring& text : texts) {
            const auto line = std::find(lines.begin(), lines.end(), text);
            ASSERT_NE(line, lines.end()) << "no line to select";
            tarvin_->Select(listId, static_cast<int>(line - lines.begin()));
        }
    }

    // "(RegDeleteKey)" and the system's text for code.
    static std::wstring DeleteFailure(DWORD code) {
        return L"(RegDeleteKey)" + SystemMessageText(code);
    }

    std::optional<TarvinProcess> tarvin_;
};

}  // namespace tarvin::testing
