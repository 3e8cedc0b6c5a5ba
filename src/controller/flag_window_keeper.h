#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

#include "flag_look.h"

namespace kav {

class FlagWindow;
class RunInfo;

// The large flag window: up on a red or a yellow flag of the run's information when the "Show Flag"
// option asks for it, gone on a green one.
class FlagWindowKeeper : public QObject {
    Q_OBJECT
public:
    explicit FlagWindowKeeper(const RunInfo& info);
    ~FlagWindowKeeper() override;

    // The "Show Flag" option; unset means the window is not shown.
    std::function<bool()> ShowFlag;

    FlagWindow* flagWindow() const { return m_window.get(); }
    // Closes the flag window if it is up (a green flag, or the program ending).
    void closeFlagWindow();

private:
    // Acts once on each change of flag; the same flag again leaves the window as the operator put it.
    void followFlag();
    void showFlagWindow(bool red);

    const RunInfo& m_info;
    std::uint8_t m_flag = kFlagGreen;
    std::unique_ptr<FlagWindow> m_window;
};

} // namespace kav
