#!/usr/bin/python3
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Uses the real program through AT-SPI, as a screen reader or another
# assistive tool does: finds the window, presses menu entries through their
# accessible actions (each must answer within a second, also when the
# command then opens prompts), types into the prompts through the editable
# text interface, reads the result label, the error message and the drawing
# area's description. `atspi_test.py TARQUEL`, inside an X session with a
# private D-Bus session bus (atspi.sh sets both up).
import os
import signal
import subprocess
import sys
import time

import pyatspi

CAPTION = "쉬운 수치 적분의 예"
AXES = "좌표축: 가로 x는 -π부터 2π까지, 세로 y는 -π부터 π까지."
CURVE = " 사인 곡선 y = sin x가 -π부터 2π까지 초록색으로 그려져 있습니다."
ONLY_AXES = " 그려진 것은 좌표축뿐입니다."
INTEGRATED = " 0부터 3.141592까지 적분한 파란 상자 2000개가 그려져 있습니다."

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def wait_for(find, timeout=10.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # an object may go away while it is read
            found = None
        if found:
            return found
        time.sleep(0.05)
    return None


def descendants(root, role=None, name=None):
    def matches(acc):
        return (acc is not None and (role is None or acc.getRole() == role)
                and (name is None or acc.name == name))
    return pyatspi.utils.findAllDescendants(root, matches)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tarquel":
            return app
    return None


def press(acc, what):
    """Presses through the accessible action; the call must answer at once."""
    action = acc.queryAction()
    started = time.monotonic()
    action.doAction(0)
    took = time.monotonic() - started
    check(took < 1.0, f"{what} answers within a second ({took * 1000:.0f} ms)")


def top_levels(app):
    """The application's windows: the frame and any dialog, no deeper."""
    return [app.getChildAtIndex(i) for i in range(app.childCount)]


def the_frame(app):
    frames = [w for w in top_levels(app)
              if w is not None and w.getRole() == pyatspi.ROLE_FRAME and w.name == CAPTION]
    return frames[0] if frames else None


def menu_item(frame, menu, entry):
    for top in descendants(frame, name=menu):
        for item in descendants(top, pyatspi.ROLE_MENU_ITEM, entry):
            return item
    return None


def dialogs(app):
    return [w for w in top_levels(app)
            if w is not None and w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)
            and w.getState().contains(pyatspi.STATE_SHOWING)]


def texts(root):
    return [acc.name for acc in descendants(root, pyatspi.ROLE_LABEL)]


def answer_prompt(app, typed, expected_prompt):
    dialog = wait_for(lambda: dialogs(app))
    check(bool(dialog), f"prompt appears for {typed!r}")
    if not dialog:
        return
    dialog = dialog[0]
    check(expected_prompt in texts(dialog), f"prompt reads {expected_prompt!r}")
    entry = descendants(dialog, pyatspi.ROLE_TEXT)
    check(len(entry) == 1, "prompt has one entry field")
    entry[0].queryEditableText().setTextContents(typed)
    check(entry[0].queryText().getText(0, -1) == typed, f"entry holds {typed!r}")
    ok = descendants(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK")
    press(ok[0], "the prompt's OK")
    wait_for(lambda: not any(d == dialog for d in dialogs(app)), 5)


def description(frame):
    area = descendants(frame, name="그래프")
    return area[0].description if area else None


def result(frame):
    labels = [n for n in texts(frame) if n.startswith("계산결과")]
    return labels[0] if labels else ""


def stuck(signum, stack):
    raise TimeoutError(f"no progress for 90 s, at line {stack.f_lineno}")


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8",
               QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([sys.argv[1]], env=env)
    # A call that never answers is a failure of its own, not ctest's time-out.
    signal.signal(signal.SIGALRM, stuck)
    signal.alarm(90)
    try:
        app = wait_for(application, 20)
        check(app is not None, "the program is on the accessibility bus")
        if app is None:
            return
        frame = wait_for(lambda: the_frame(app))
        check(frame is not None, "the frame's name is the window caption")
        if frame is None:
            return
        check(description(frame) == AXES + ONLY_AXES, "the drawing area describes the axes")

        press(wait_for(lambda: menu_item(frame, "Sin", "Display")), "Sin > Display")
        check(wait_for(lambda: description(frame) == AXES + CURVE, 5) is not None,
              "the description names the curve: " + str(description(frame)))

        press(wait_for(lambda: menu_item(frame, "Sin", "Integrate")), "Sin > Integrate")
        answer_prompt(app, "0", "하한 값은?(단 > - Pi) ")
        answer_prompt(app, "3.141592", "또 상한값은?(단 < 2*Pi 보다 큰값)")
        check(wait_for(lambda: result(frame) == "계산결과  1.999", 5) is not None,
              "the result label reads " + repr(result(frame)))
        check(description(frame) == AXES + CURVE + INTEGRATED,
              "the description names the integration: " + str(description(frame)))

        # A bad bound: the message is readable and dismissed; nothing changes.
        press(menu_item(frame, "Sin", "Integrate"), "Sin > Integrate again")
        answer_prompt(app, "x", "하한 값은?(단 > - Pi) ")
        answer_prompt(app, "1", "또 상한값은?(단 < 2*Pi 보다 큰값)")
        alert = wait_for(lambda: dialogs(app))
        check(bool(alert) and "Run-time error '13': Type mismatch" in texts(alert[0]),
              "the error message is readable")
        if alert:
            press(descendants(alert[0], pyatspi.ROLE_PUSH_BUTTON, "OK")[0], "the message's OK")
            check(wait_for(lambda: not dialogs(app), 5) is not None, "the message is dismissed")
        check(result(frame) == "계산결과  1.999", "the result label kept its text")

        # Tan > Display, Tan > Integrate and End change nothing.
        for menu, entry in (("Tan", "Display"), ("Tan", "Integrate"), (None, "End")):
            item = (menu_item(frame, menu, entry) if menu
                    else descendants(frame, pyatspi.ROLE_MENU_ITEM, entry)[0])
            press(item, f"{menu or ''} {entry}".strip())
        time.sleep(0.5)
        check(not dialogs(app), "no dialog opened")
        check(result(frame) == "계산결과  1.999", "the result is unchanged")
        check(description(frame) == AXES + CURVE + INTEGRATED, "the picture is unchanged")
        check(program.poll() is None, "the program still runs")
    except TimeoutError as error:
        check(False, str(error))
    finally:
        signal.alarm(0)
        program.terminate()
        program.wait(10)
    print(f"{len(failures)} failed")


if __name__ == "__main__":
    main()
    sys.exit(1 if failures else 0)
