// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/commands.h"

#include "plotting/runtime_error.h"
#include "plotting/sine_display.h"
#include "plotting/sine_integrate.h"

#include <QLocale>

namespace tarquel {

bool runCommand(Command command, WindowServices& window,
                const std::function<void(const RuntimeError&)>& report)
{
    try {
        switch (command) {
        case Command::None:
            break;
        case Command::SinDisplay:
            mnuSiDisp_Click(window);
            break;
        case Command::SinIntegrate:
            mnuSinIn_Click(window, QLocale::system().decimalPoint().toUtf8().toStdString());
            break;
        }
    } catch (const RuntimeError& failure) {
        report(failure);
        return false;
    }
    return true;
}

} // namespace tarquel
