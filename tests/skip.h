// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QTest>

// Skips the current test or row, or fails it under make test
// (TARQUEL_NO_SKIP=1), where nothing may skip. A macro, so that it returns
// from the test function itself and the row ends there.
#define TARQUEL_SKIP(reason)                                                                       \
    do {                                                                                           \
        if (qEnvironmentVariableIntValue("TARQUEL_NO_SKIP") == 1)                                  \
            QFAIL(reason);                                                                         \
        QSKIP(reason);                                                                             \
    } while (false)
