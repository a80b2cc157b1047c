#!/usr/bin/python3
"""The Moravine control as a screen reader meets it on AT-SPI, end to end.

    atspi_check.py PID

PID is a running moravine-demo (started with --today 2006-12-07) whose window is on $DISPLAY and
whose accessibility tree is on the accessibility bus; run_atspi_check.sh sets that up. The check
reads roles, names, states and descriptions as assistive technology receives them, then dates a
scan with real key events (xdotool into the X display) and reads the EDD the control shows.

Exit status: 0 when every check holds, 1 when one does not, 77 (with one line saying why) when
the accessibility bus cannot be reached, so the check cannot run at all.
"""

import signal
import subprocess
import sys
import threading
import time

PASS, FAIL, SKIP = 0, 1, 77

try:
    import pyatspi
except ImportError:
    print("FAIL: pyatspi cannot be imported: install the Debian package python3-pyatspi")
    sys.exit(FAIL)

OPTION_BUTTONS = [
    "LMP-based", "Ultrasound-based", "Fetal biometry", "Derived gestation", "Crown rump length",
    "Biparietal diameter", "Head circumference", "Yes", "No",
]
# Selected when the control starts.
STARTING_SELECTION = {"Ultrasound-based", "Fetal biometry", "Biparietal diameter", "No"}
# Every list, named by its frame and its label, never by the item it shows.
LISTS = [
    "Date of Ultrasound scan, Month", "Date of Ultrasound scan, Day",
    "Date of Ultrasound scan, Year", "Biparietal diameter, mm", "Date of birth, Month",
    "Date of birth, Day", "Date of birth, Year", "Scan data, Weeks", "Scan data, Days",
]
QUESTION = "Calculate length of gestation at birth?"
EDD = "26 October 2006"  # crown rump length 45 mm on 6 April 2006

# Generous, for a machine busy with other work: a wait ends as soon as what it waits for holds.
APPEAR_SECONDS = 30
SETTLE_SECONDS = 5
WHOLE_CHECK_SECONDS = 100


class CheckFailed(Exception):
    pass


failures = []


def check(holds, what, detail=""):
    """Prints one check; a failing one is remembered, and the run goes on."""
    print(("ok   " if holds else "FAIL ") + what)
    if detail and not holds:
        print("       " + detail)
    if not holds:
        failures.append(what)
    return holds


def require(holds, what, detail=""):
    """A check the following steps depend on: the run stops when it fails."""
    if not check(holds, what, detail):
        raise CheckFailed(what)


def wait_for(condition, seconds=SETTLE_SECONDS):
    """Polls until condition() is true; returns its last value. Never sleeps once it holds."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def states_of(accessible):
    return {pyatspi.stateToString(s) for s in accessible.getState().getStates()}


def has_state(accessible, state):
    return accessible.getState().contains(state)


def role_name(role):
    return pyatspi.role.ROLE_NAMES.get(role, str(role))


def describe(accessible):
    if accessible is None:
        return "nothing"
    return "%s %r" % (accessible.getRoleName(), accessible.name)


def walk(accessible):
    """The accessible and its descendants, without the items of lists (hundreds of them)."""
    yield accessible
    if accessible.getRole() == pyatspi.ROLE_LIST:
        return
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


class Demo:
    """The demo application's accessible tree, found again on every query: names follow the
    control's state, and a screen reader sees only what is there now."""

    def __init__(self, application):
        self.application = application

    def find(self, role, name):
        for accessible in walk(self.application):
            if accessible.getRole() == role and accessible.name == name:
                return accessible
        return None

    def named(self, name):
        return [a for a in walk(self.application) if a.name == name]

    def focused(self):
        for accessible in walk(self.application):
            if has_state(accessible, pyatspi.STATE_FOCUSED):
                return accessible
        return None

    def require(self, role, name):
        found = wait_for(lambda: self.find(role, name))
        require(found is not None, "%s %r is there" % (role_name(role), name),
                "not found; the accessibles named so: %s" %
                [describe(a) for a in self.named(name)])
        return found


def accessibility_bus_problem():
    """None when pyatspi reaches the accessibility bus, else why not. Without the bus libatspi
    aborts the process that asks, so a child process asks first."""
    try:
        probe = subprocess.run(
            [sys.executable, "-c", "import pyatspi; pyatspi.Registry.getDesktop(0).childCount"],
            capture_output=True, text=True, timeout=APPEAR_SECONDS)
    except subprocess.TimeoutExpired:
        return "no answer in %d s" % APPEAR_SECONDS
    if probe.returncode == 0:
        return None
    said = [line for line in probe.stderr.splitlines() if line.strip()]
    return said[-1].strip() if said else "the probe ended with status %d" % probe.returncode


def find_application(pid):
    """The accessible application of process pid, once Qt has put it on the bus."""
    desktop = pyatspi.Registry.getDesktop(0)

    def application():
        for index in range(desktop.childCount):
            candidate = desktop.getChildAtIndex(index)
            try:
                if candidate is not None and candidate.get_process_id() == pid:
                    return candidate
            except Exception:
                pass  # an application that went away meanwhile
        return None

    return wait_for(application, APPEAR_SECONDS)


# Keys go to the X display as a user's keys would (XTEST), into the window with the focus.
def press(*keys):
    subprocess.run(["xdotool", "key", "--delay", "40"] + list(keys), check=True)


def focus_window(title):
    found = subprocess.run(
        ["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % title],
        capture_output=True, text=True, timeout=APPEAR_SECONDS)
    windows = found.stdout.split()
    require(bool(windows), "the window %r is on the display" % title, found.stderr.strip())
    # No window manager runs here: the window gets the input focus directly.
    subprocess.run(["xdotool", "windowfocus", "--sync", windows[0]], check=True)


def move_focus(demo, key, role, name, presses=30):
    """Presses key (Tab or shift+Tab) until the focus is on the accessible named so; prints the
    way the focus took, as a screen reader would have announced it."""
    way = []
    for _ in range(presses):
        before = demo.focused()
        if before is not None and before.getRole() == role and before.name == name:
            print("       keys: %s x%d: %s" % (key, len(way), " > ".join(way) or "already there"))
            return before

        def moved():
            focus = demo.focused()
            return focus if focus is not None and focus != before else None

        press(key)
        way.append(describe(wait_for(moved, 2)))
    require(False, "%s reaches %s %r" % (key, role_name(role), name),
            "the focus went: %s" % " > ".join(way))


def check_announced(demo, text):
    """The control's alert shows text, as a screen reader speaks it when it shows."""
    def said():
        return any(a.getRole() == pyatspi.ROLE_ALERT and a.name == text and
                   has_state(a, pyatspi.STATE_SHOWING) for a in walk(demo.application))
    check(wait_for(said), "the control announced %r as an alert" % text,
          "its alerts: %s" % [describe(a) for a in walk(demo.application)
                              if a.getRole() == pyatspi.ROLE_ALERT])


def choose_item(demo, list_name, item):
    """Selects item in the focused list with the keys of a closed list: Home, then Down once per
    item before it. The items are read from the list's accessible popup."""
    combo = demo.require(pyatspi.ROLE_COMBO_BOX, list_name)
    require(has_state(combo, pyatspi.STATE_FOCUSED), "the list %r has the focus" % list_name,
            "the focus is on %s" % describe(demo.focused()))
    popup = combo.getChildAtIndex(0)
    items = [popup.getChildAtIndex(i).name for i in range(popup.childCount)]
    require(item in items, "the list %r offers %r" % (list_name, item), "its items: %s" % items)
    press("Home", *["Down"] * items.index(item))
    print("       keys: Home, Down x%d in %r" % (items.index(item), list_name))
    shown = wait_for(lambda: combo.queryText().getText(0, -1) == item)
    check(shown, "the list %r reads %r through the Text interface" % (list_name, item),
          "it reads %r" % combo.queryText().getText(0, -1))


class Announcements:
    """The text and value changes the application announces, as a screen reader hears them.
    Events queue on the bus until the event loop runs (collect)."""

    EVENTS = ["object:text-changed", "object:property-change:accessible-value"]

    def __init__(self):
        self.heard = []
        self.wanted = None
        pyatspi.Registry.registerEventListener(self.hear, *self.EVENTS)

    def hear(self, event):
        try:
            source = describe(event.source)
        except Exception:
            source = "an accessible that went away"
        self.heard.append((event.type, source, event.any_data))
        if self.wanted and self.wanted(self.heard[-1]):
            pyatspi.Registry.stop()

    def collect(self, wanted, seconds, then_listen=0):
        """Runs the event loop until an event satisfying wanted arrives, or for seconds; then for
        then_listen seconds more, to hear what follows it."""
        self.wanted = wanted
        if not any(wanted(e) for e in self.heard):
            self.listen(seconds)
        self.wanted = None
        self.listen(then_listen)
        return [e for e in self.heard if wanted(e)]

    @staticmethod
    def listen(seconds):
        if seconds <= 0:
            return
        timer = threading.Timer(seconds, pyatspi.Registry.stop)
        timer.start()
        pyatspi.Registry.start()
        timer.cancel()


def check_starting_tree(demo):
    print("-- what a screen reader meets before any input")
    for name in OPTION_BUTTONS:
        found = demo.named(name)
        button = next((a for a in found if a.getRole() == pyatspi.ROLE_RADIO_BUTTON), None)
        if not check(button is not None, "%r is a radio button" % name,
                     "found: %s" % [describe(a) for a in found]):
            continue
        checked = has_state(button, pyatspi.STATE_CHECKED)
        check(checked == (name in STARTING_SELECTION),
              "%r is %s" % (name, "checked" if name in STARTING_SELECTION else "not checked"),
              "its states: %s" % sorted(states_of(button)))
    for name in LISTS:
        found = demo.named(name)
        check(any(a.getRole() == pyatspi.ROLE_COMBO_BOX for a in found),
              "the list %r is a combo box" % name, "found: %s" % [describe(a) for a in found])
    for name in ("Yes", "No"):
        button = demo.find(pyatspi.ROLE_RADIO_BUTTON, name)
        if button is not None:
            check(button.description == QUESTION, "%r is described %r" % (name, QUESTION),
                  "its description: %r" % button.description)
    edd = demo.find(pyatspi.ROLE_TEXT, "EDD")
    check(edd is not None and not has_state(edd, pyatspi.STATE_SHOWING),
          "the EDD result is text, not shown before a calculation", describe(edd))


def date_a_scan_by_keyboard(demo):
    print("-- a keyboard session: crown rump length 45 mm on 6 April 2006, then Calculate EDD")
    focus_window("Moravine demo")
    require(wait_for(demo.focused) is not None, "the window takes the keyboard focus",
            "no accessible reports the focused state")

    # The arrows select within an option group: Up from "Biparietal diameter" selects the one
    # above it, and the focus goes with the selection.
    move_focus(demo, "Tab", pyatspi.ROLE_RADIO_BUTTON, "Biparietal diameter")
    press("Up")
    crl = demo.require(pyatspi.ROLE_RADIO_BUTTON, "Crown rump length")
    require(wait_for(lambda: has_state(crl, pyatspi.STATE_CHECKED)),
            "Up selects 'Crown rump length'", "its states: %s" % sorted(states_of(crl)))
    check(has_state(crl, pyatspi.STATE_FOCUSED), "the focus went with the selection",
          "the focus is on %s" % describe(demo.focused()))
    bpd = demo.find(pyatspi.ROLE_RADIO_BUTTON, "Biparietal diameter")
    check(bpd is not None and not has_state(bpd, pyatspi.STATE_CHECKED),
          "'Biparietal diameter' is no longer checked", describe(bpd))

    # The value list follows the measurement chosen beside it. Tab order goes month, day, year,
    # value, so the way back from the options meets the value list first.
    demo.require(pyatspi.ROLE_COMBO_BOX, "Crown rump length, mm")
    check(demo.find(pyatspi.ROLE_COMBO_BOX, "Biparietal diameter, mm") is None,
          "no list is named 'Biparietal diameter, mm' any more")
    move_focus(demo, "shift+Tab", pyatspi.ROLE_COMBO_BOX, "Crown rump length, mm")
    choose_item(demo, "Crown rump length, mm", "45")

    for label, item, key in (("Month", "April", "shift+Tab"), ("Day", "6", "Tab"),
                             ("Year", "2006", "Tab")):
        name = "Date of Ultrasound scan, " + label
        move_focus(demo, key, pyatspi.ROLE_COMBO_BOX, name)
        choose_item(demo, name, item)
        check(demo.find(pyatspi.ROLE_COMBO_BOX, name) is not None,
              "the list is still named %r after choosing %r" % (name, item))

    # Another month resets the day list the user did not touch, and the control says so; the
    # month she chose herself is not said again. Back to April, and to the 6th.
    move_focus(demo, "shift+Tab", pyatspi.ROLE_COMBO_BOX, "Date of Ultrasound scan, Month")
    choose_item(demo, "Date of Ultrasound scan, Month", "March")
    check_announced(demo, "Date of Ultrasound scan, Day, 1")
    choose_item(demo, "Date of Ultrasound scan, Month", "April")
    move_focus(demo, "Tab", pyatspi.ROLE_COMBO_BOX, "Date of Ultrasound scan, Day")
    choose_item(demo, "Date of Ultrasound scan, Day", "6")

    # Each choice starts the Calculate EDD prompt, which blinks the button away for a while: a
    # Tab while it is hidden passes it by. Wait until it has stayed shown longer than three of
    # its half-second blinks.
    calculate = demo.require(pyatspi.ROLE_PUSH_BUTTON, "Calculate EDD")
    shown_since = [None]

    def prompt_over():
        if not has_state(calculate, pyatspi.STATE_SHOWING):
            shown_since[0] = None
        elif shown_since[0] is None:
            shown_since[0] = time.monotonic()
        return shown_since[0] is not None and time.monotonic() - shown_since[0] > 1.6

    require(wait_for(prompt_over, 20), "the Calculate EDD prompt ends with the button shown")
    move_focus(demo, "Tab", pyatspi.ROLE_PUSH_BUTTON, "Calculate EDD")
    press("Return")
    print("       keys: Return on 'Calculate EDD'")

    edd = demo.require(pyatspi.ROLE_TEXT, "EDD")
    shown = wait_for(lambda: edd.queryText().getText(0, -1) == EDD and has_state(
        edd, pyatspi.STATE_SHOWING))
    text = edd.queryText()
    require(shown, "the EDD result reads %r through the Text interface" % EDD,
            "it reads %r; its states: %s" % (text.getText(0, -1), sorted(states_of(edd))))
    check(text.characterCount == len(EDD) and text.getText(3, 10) == "October",
          "its characters read one by one too (15 of them, 'October' at 3 to 10)",
          "characterCount %d, text(3, 10) %r" % (text.characterCount, text.getText(3, 10)))
    states = states_of(edd)
    check({"read only", "focusable"} <= states and "editable" not in states,
          "the EDD result is read-only, focusable text, not editable",
          "its states: %s" % sorted(states))
    interfaces = edd.get_interfaces()
    check("Text" in interfaces and "EditableText" not in interfaces,
          "the EDD result has the Text interface and no EditableText",
          "its interfaces: %s" % interfaces)
    check(wait_for(lambda: has_state(edd, pyatspi.STATE_FOCUSED)),
          "the focus went to the EDD result", "the focus is on %s" % describe(demo.focused()))
    crl = demo.find(pyatspi.ROLE_RADIO_BUTTON, "Crown rump length")
    check(crl is not None and has_state(crl, pyatspi.STATE_CHECKED),
          "'Crown rump length' is still checked", describe(crl))


def an_error_is_an_alert(demo):
    print("-- a date of birth before the pregnancy: the demo says so as an alert")
    move_focus(demo, "Tab", pyatspi.ROLE_RADIO_BUTTON, "No")
    press("Up")
    year = "Date of birth, Year"
    require(wait_for(lambda: demo.find(pyatspi.ROLE_COMBO_BOX, year) is not None and has_state(
        demo.find(pyatspi.ROLE_COMBO_BOX, year), pyatspi.STATE_SHOWING)),
        "Up on 'No' selects 'Yes' and shows the date of birth")
    check_announced(demo, "Date of birth, Day, 26")
    move_focus(demo, "Tab", pyatspi.ROLE_COMBO_BOX, year)
    popup = demo.find(pyatspi.ROLE_COMBO_BOX, year).getChildAtIndex(0)
    choose_item(demo, year, popup.getChildAtIndex(0).name)
    move_focus(demo, "Tab", pyatspi.ROLE_PUSH_BUTTON, "Calculate gestation")
    press("Return")
    print("       keys: Return on 'Calculate gestation'")
    message = "date of birth is before the start of the pregnancy"

    def alert():
        for accessible in walk(demo.application):
            if accessible.getRole() == pyatspi.ROLE_ALERT and has_state(
                    accessible, pyatspi.STATE_SHOWING) and any(
                    message in a.name for a in walk(accessible)):
                return accessible
        return None

    shown = wait_for(alert)
    check(shown is not None, "the run-time error shows as an alert: %r" % message,
          "the alerts there: %s" % [describe(a) for a in walk(demo.application)
                                    if a.getRole() == pyatspi.ROLE_ALERT])
    press("Return")
    check(wait_for(lambda: alert() is None), "Return closes it")


def main():
    if len(sys.argv) != 2 or not sys.argv[1].isdigit():
        print("usage: atspi_check.py PID")
        return FAIL
    # A hung bus call must not outlive the test's own timeout unexplained.
    signal.signal(signal.SIGALRM, lambda *_: (print("FAIL: the check hung"), sys.exit(FAIL)))
    signal.alarm(WHOLE_CHECK_SECONDS)
    started = time.monotonic()

    unreachable = accessibility_bus_problem()
    if unreachable:
        print("SKIP: the accessibility bus cannot be reached: %s" % unreachable)
        return SKIP
    application = find_application(int(sys.argv[1]))
    if application is None:
        print("FAIL: process %s never appeared on the accessibility bus" % sys.argv[1])
        return FAIL
    print("ok   the demo is on the accessibility bus as %s" % describe(application))
    # Listening only once the application is on the bus: Qt learns of listeners registered from
    # then on, and may miss one registered while its bridge starts. Long before the EDD shows.
    announcements = Announcements()
    demo = Demo(application)

    try:
        check_starting_tree(demo)
        date_a_scan_by_keyboard(demo)
    except CheckFailed:
        pass

    print("-- what the application announced")
    inserted = announcements.collect(
        lambda e: e[0] == "object:text-changed:insert" and e[1] == "text 'EDD'" and e[2] == EDD, 3, 1)
    for event in announcements.heard:
        print("       heard %s from %s: %r" % event)
    check(len(inserted) == 1,
          "the EDD result announced its new text %r once (object:text-changed:insert)" % EDD,
          "heard %d times" % len(inserted))
    month = announcements.collect(
        lambda e: e[0] == "object:text-changed:insert" and
        e[1] == "combo box 'Date of Ultrasound scan, Month'", 0)
    check([e[2] for e in month[-2:]] == ["March", "April"],
          "the month list announced each item the Down key showed, up to 'April'",
          "its last announcements: %s" % [e[2] for e in month[-2:]])

    try:
        an_error_is_an_alert(demo)
    except CheckFailed:
        pass

    print("%s in %.1f s" % ("FAILED: %d checks" % len(failures) if failures else "passed",
                           time.monotonic() - started))
    return FAIL if failures else PASS


if __name__ == "__main__":
    sys.exit(main())
