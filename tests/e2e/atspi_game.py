"""Plays Логикус as a pupil who uses a screen reader would: reads the diagram through AT-SPI (the operation boxes'
names, the lists' current texts, where each frame stands) and gives answers with the keyboard and the mouse
through xdotool. Run with the system's /usr/bin/python3 (pyatspi is a Debian package) inside the D-Bus session the
program was started in, on the program's X display.

    atspi_game.py state STATE                 wait for the main window's state: prompt, playing or gameover
    atspi_game.py choose-notation TEXT...      click radio buttons ("0/1", "По-русски", …) in the notation box
    atspi_game.py exercise E LEVEL HOW         answer exercise E of a game at LEVEL; HOW is ANSWER/LISTS/COMMAND:
                                               ANSWER right, final (final operation wrong), feed (an intermediate
                                               wrong, the final consistent with it) or unknown (answer box left
                                               at "?"); LISTS clicks, keys (in the drop-downs) or tab (the
                                               keyboard alone: each open list must have the focus in working
                                               order, set with the arrows, Tab to the next); COMMAND enter or
                                               button. Prints
                                               "next" or "victory" once the next exercise or the score is shown.
    atspi_game.py victory RIGHT                check the score message against RIGHT answers, the clock and no
                                               hints, close it with Enter and wait for the game-over state
    atspi_game.py menu ITEM...                 choose menu items in turn by clicks ("Настройка", "Выход")
    atspi_game.py menu-item NAME               check that a menu item of that caption exists
    atspi_game.py click NAME                   click the shown push button of that caption
    atspi_game.py startup-names                check the start-up screen's picture and bar as a screen reader
                                               reads them, while the bar fills
    atspi_game.py names                        check that every control of the main window is named, and the
                                               names of the lamps, the title picture and, while playing, of each
                                               list (operation, input or result, given or open)
    atspi_game.py progress TEXT                the progress bar's description, and its tooltip, read TEXT
    atspi_game.py gone CAPTION                 wait until the dialog of that caption is no longer shown
    atspi_game.py dialog-names CAPTION         check the named controls of the dialog shown with that caption

With E2E_ACTIONS=1 it acts through AT-SPI actions alone (buttons pressed by their "Press" action, no xdotool), as on
a Wayland compositor, where no X server takes synthetic input; the lists are then left as they are.

Every step waits for what it expects with a deadline (E2E_STEP_LIMIT seconds, 20 by default) and never assumes how
long anything takes. A failure prints "FAIL: …" and exits 1.
"""

import os
import re
import subprocess
import sys
import time
import traceback

import pyatspi

LIMIT = float(os.environ.get("E2E_STEP_LIMIT", "20"))
ACTIONS = os.environ.get("E2E_ACTIONS") == "1"
APP_NAME = "Логикус"

# Texts of the values (codes 1 false, 2 true) in the five notations, and the operation names in both languages.
NOTATIONS = [("0", "1"), ("Нет", "Да"), ("Ложь", "Истина"), ("No", "Yes"), ("False", "True")]
NOTATION_NAMES = ["0/1", "Нет/Да", "Ложь/Истина", "No/Yes", "False/True"]
OPERATIONS = [("НЕ", "ИЛИ", "И", "ИСКЛ.ИЛИ"), ("NOT", "OR", "AND", "XOR")]
LANGUAGE_NAMES = ["По-русски", "По-английски"]
NOT, OR, AND, XOR = range(4)
UNKNOWN, FALSE, TRUE = range(3)

WRONG_HEAD = "Твой ответ неправилен.\r\nТы не учёл, что\r\n"
UNFINISHED = "необходимо вычислить результаты всех операций."


class Failure(Exception):
    pass


def fail(message):
    raise Failure(message)


def note(message):
    print(message, flush=True)


def wait_for(what, probe, limit=None):
    """Polls probe() until it returns something true (which is returned) or the deadline passes."""
    deadline = time.monotonic() + (limit or LIMIT)
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Exception as error:  # objects vanish while a window is rebuilt: try again
            last_error = error
        if time.monotonic() > deadline:
            fail(f"{what}: not reached within {limit or LIMIT} s" + (f" (last error: {last_error})" if last_error else ""))
        time.sleep(0.1)


def operate(value, kind, b=None):
    if kind == NOT:
        return 3 - value
    if kind == OR:
        return max(value, b)
    if kind == AND:
        return min(value, b)
    return max(value, b) - min(value, b) + 1


# ---- Reading the program through AT-SPI ----------------------------------------------------------------------------


def children(acc):
    try:
        return [c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount)) if c is not None]
    except Exception:
        return []


def descendants(acc):
    for child in children(acc):
        yield child
        yield from descendants(child)


def has_state(acc, state):
    try:
        return acc.getState().contains(state)
    except Exception:
        return False


def showing(acc):
    return has_state(acc, pyatspi.STATE_SHOWING)


def extents(acc):
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def role(acc):
    return acc.getRole()


def application():
    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            if app.name == APP_NAME:
                return app
        return None

    return wait_for(f"the program \"{APP_NAME}\" on the accessibility bus", probe)


def main_frame(app):
    for child in children(app):
        if role(child) == pyatspi.ROLE_FRAME and child.name == APP_NAME:
            return child
    return None


def shown_dialog(app, caption):
    for child in children(app):
        if role(child) == pyatspi.ROLE_DIALOG and child.name == caption and showing(child):
            return child
    return None


def find_showing(root, wanted_role, name=None):
    for acc in descendants(root):
        if role(acc) == wanted_role and showing(acc) and (name is None or acc.name == name):
            return acc
    return None


def normalise(text):
    return text.replace("\r\n", "\n").replace("\r", "\n")


class Diagram:
    """The exercise on the screen, in Panel1's coordinates, as frames of (left, top, kind, lists, operation label)."""

    def __init__(self, frame):
        panel = None
        for acc in descendants(frame):
            if role(acc) == pyatspi.ROLE_FILLER and showing(acc) and extents(acc)[2:] == (617, 497):
                panel = acc
                break
        if panel is None:
            fail("no exercise area (617 × 497) on the screen")
        px, py = extents(panel)[:2]
        self.answer = None
        self.frames = []
        for child in children(panel):
            x, y, w, h = extents(child)
            if role(child) == pyatspi.ROLE_COMBO_BOX and showing(child):
                self.answer = child
                self.answer_at = (x - px, y - py)
            elif role(child) == pyatspi.ROLE_FILLER and showing(child) and (w, h) in ((250, 130), (250, 71)):
                self.frames.append(self.read_frame(child, x - px, y - py, h == 130))
        if self.answer is None:
            fail("no answer box in the exercise area")
        if not self.frames:
            fail("no operation frame in the exercise area")
        self.paths = sorted(f["acc"].path for f in self.frames)

    @staticmethod
    def read_frame(acc, left, top, two_input):
        fx, fy = extents(acc)[:2]
        lists = sorted((c for c in children(acc) if role(c) == pyatspi.ROLE_COMBO_BOX), key=lambda c: extents(c)[1])
        # The operation box is 101 × 30 at (120, 50) of a two-input frame, (120, 20) of a negation.
        box = (fx + 120, fy + (50 if two_input else 20), 101, 30)
        label = next((c for c in children(acc) if extents(c) == box), None)
        if label is None or not label.name:
            fail(f"frame at ({left}, {top}): its operation box has no accessible name")
        kind = next((k for names in OPERATIONS for k, name in enumerate(names) if name == label.name), None)
        if kind is None:
            fail(f"frame at ({left}, {top}): unknown operation \"{label.name}\"")
        if two_input != (kind != NOT) or len(lists) != (2 if two_input else 1):
            fail(f"frame at ({left}, {top}): {label.name} with {len(lists)} lists")
        return {"acc": acc, "left": left, "top": top, "kind": kind, "lists": lists, "name": label.name,
                "out": top + (50 if two_input else 20)}

    def final(self):
        x = self.answer_at[0] - 250
        return next(f for f in self.frames if f["left"] == x)

    def feeding(self):
        """The frames that feed the final one, each with the index of the final frame's list it feeds."""
        final = self.final()
        fed = []
        for f in self.frames:
            if f is final:
                continue
            if f["left"] + 250 != final["left"]:
                fail(f"frame at ({f['left']}, {f['top']}) feeds nothing")
            side = [i for i, lst in enumerate(final["lists"]) if list_top(lst, final) == f["out"]]
            if not side:
                fail(f"frame at ({f['left']}, {f['top']}) ends beside no list of the final operation")
            fed.append((f, side[0]))
        return fed


def list_top(lst, frame):
    return frame["top"] + extents(lst)[1] - extents(frame["acc"])[1]


def value_of(text):
    if text == "?":
        return UNKNOWN
    for false, true in NOTATIONS:
        if text == false:
            return FALSE
        if text == true:
            return TRUE
    fail(f"a list shows \"{text}\", which is no value")


def checked_item(frame, names):
    for acc in descendants(frame):
        if role(acc) == pyatspi.ROLE_RADIO_BUTTON and acc.name in names and has_state(acc, pyatspi.STATE_CHECKED):
            return names.index(acc.name)
    fail(f"none of {names} is checked")


# ---- Acting as the pupil ------------------------------------------------------------------------------------------


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if not names:
        fail(f"\"{acc.name}\" has no action")
    action.doAction(names.index("Press") if "Press" in names else 0)


def click(acc):
    if ACTIONS:
        return press(acc)
    x, y, w, h = extents(acc)
    xdotool("mousemove", str(x + w // 2), str(y + h // 2), "click", "1")


def focus_window(name):
    if ACTIONS:
        return
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(name)}$"],
                         capture_output=True, text=True).stdout.split()
    if ids:
        subprocess.run(["xdotool", "windowfocus", "--sync", ids[0]], check=False)


def popup_items(lst):
    """The items of a list's drop-down while it is open: shown, with a place on the screen."""
    items = [c for c in descendants(lst) if role(c) == pyatspi.ROLE_LIST_ITEM]
    popup = [c for c in descendants(lst) if role(c) == pyatspi.ROLE_LIST]
    if not popup or not showing(popup[0]) or len(items) != 3:
        return None
    if any(extents(i)[2] <= 0 or extents(i)[3] <= 0 for i in items):
        return None
    return items


def popup_open(app):
    """True while a list's drop-down is open anywhere in the main window."""
    return any(role(c) == pyatspi.ROLE_LIST and showing(c) for c in descendants(main_frame(app)))


def set_list(lst, value, texts, how):
    wanted = "?" if value == UNKNOWN else texts[value - 1]
    if lst.name == wanted:
        return
    if not has_state(lst, pyatspi.STATE_ENABLED):
        fail(f"the list to set to \"{wanted}\" is locked")
    current = value_of(lst.name)
    click(lst)
    items = wait_for("the list's drop-down opens", lambda: popup_items(lst))
    if how == "clicks":
        click(next(i for i in items if i.name == wanted))
    else:
        # Inside the open drop-down the arrows move and Enter only chooses: the main window must not answer.
        steps = value - current
        xdotool("key", *(["Down"] * steps if steps > 0 else ["Up"] * -steps), "Return")
    wait_for(f"the list shows \"{wanted}\"", lambda: lst.name == wanted and popup_items(lst) is None)


# ---- Commands -----------------------------------------------------------------------------------------------------


def state_of(frame):
    buttons = {b.name for b in descendants(frame) if role(b) == pyatspi.ROLE_PUSH_BUTTON and showing(b)}
    if {"1", "2", "3"} <= buttons:
        return "prompt"
    if "Готово" in buttons:
        return "playing"
    if {"Да", "Нет"} <= buttons:
        return "gameover"
    return None


def wait_state(wanted):
    app = application()
    wait_for(f"main window in the state \"{wanted}\"", lambda: state_of(main_frame(app)) == wanted)
    if wanted == "gameover":
        question = [l for l in descendants(main_frame(app)) if role(l) == pyatspi.ROLE_LABEL and showing(l)
                    and normalise(l.name or "") == "Игра окончена.\nСыграем еще раз?"]
        if not question:
            fail("game over without the question \"Игра окончена. Сыграем еще раз?\"")
    note(f"state {wanted}")


def choose_notation(names):
    app = application()
    for name in names:
        button = wait_for(f"radio button \"{name}\"", lambda: find_showing(main_frame(app), pyatspi.ROLE_RADIO_BUTTON, name))
        click(button)
        wait_for(f"\"{name}\" checked", lambda: has_state(button, pyatspi.STATE_CHECKED))
    note("notation " + " ".join(names))


def expected_shape(level, e):
    """(class, left, top) of every frame and the answer box's left, as the exercise's number fixes them."""
    if level == 1:
        return ([("not", 135, 330)] if e % 4 == 0 else [("two", 135, 300)]), 385
    if level == 2:
        if e % 3 == 0:
            return [("not", 260, 330), ("two", 10, 300)], 510
        return [("two", 260, 300), ("not", 10, None)], 510
    return [("two", 260, 300), ("two", 10, 250 if e % 2 else 350), ("not", 10, 380 if e % 2 else 280)], 510


def check_shape(diagram, level, e):
    shapes, answer_left = expected_shape(level, e)
    if diagram.answer_at != (answer_left, 350):
        fail(f"exercise {e}: answer box at {diagram.answer_at}, expected ({answer_left}, 350)")
    got = sorted(("not" if f["kind"] == NOT else "two", f["left"], f["top"]) for f in diagram.frames)
    if len(got) != len(shapes):
        fail(f"exercise {e} at level {level}: {len(got)} frames, expected {len(shapes)}")
    for cls, left, top in shapes:
        if not any(g[0] == cls and g[1] == left and (top is None or g[2] == top) for g in got):
            fail(f"exercise {e} at level {level}: frames {got}, expected {shapes}")
    if level == 2 and e % 3:
        negation = next(f for f in diagram.frames if f["kind"] == NOT)
        if negation["top"] not in (280, 380):
            fail(f"exercise {e}: the negation stands at top {negation['top']}")
    if level == 1 and e % 4 and diagram.frames[0]["kind"] != e % 4:
        fail(f"exercise {e} at level 1 is {diagram.frames[0]['name']}, expected kind {e % 4}")
    # The given lists are locked, the pupil's are open.
    final = diagram.final()
    fed = {side for _, side in diagram.feeding()}
    for f in diagram.frames:
        for i, lst in enumerate(f["lists"]):
            should_be_open = f is final and i in fed
            if has_state(lst, pyatspi.STATE_ENABLED) != should_be_open:
                fail(f"exercise {e}: list {i + 1} of {f['name']} at ({f['left']}, {f['top']}) is "
                     f"{'open' if should_be_open else 'locked'} in the wrong way")
            if not should_be_open and value_of(lst.name) == UNKNOWN:
                fail(f"exercise {e}: a given list shows \"?\"")
            if should_be_open and lst.name != "?":
                fail(f"exercise {e}: an open list starts at \"{lst.name}\", not \"?\"")
    if diagram.answer.name != "?":
        fail(f"exercise {e}: the answer box starts at \"{diagram.answer.name}\"")


def equation(frame_kind, inputs, texts, names):
    """The explanation of a missed operation: the true result on the values in its input lists."""
    if frame_kind == NOT:
        a = inputs[0]
        return f"{names[NOT]} {texts[a - 1]} = {texts[3 - a - 1]}"
    a, b = inputs
    return f"{texts[a - 1]} {names[frame_kind]} {texts[b - 1]} = {texts[operate(a, frame_kind, b) - 1]}"


def prepare(app, e, level, answer_kind, lists_how):
    """Reads exercise e, sets the pupil's lists for the answer wanted; returns the diagram and the explanation a
    wrong answer must bring (None for a right one)."""
    frame = main_frame(app)
    wait_for("playing", lambda: state_of(main_frame(app)) == "playing")
    diagram = wait_for(f"exercise {e} on the screen", lambda: Diagram(main_frame(app)))
    check_shape(diagram, level, e)
    texts = NOTATIONS[checked_item(frame, NOTATION_NAMES)]
    names = OPERATIONS[checked_item(frame, LANGUAGE_NAMES)]

    final = diagram.final()
    final_inputs = [value_of(lst.name) for lst in final["lists"]]
    right_feeds = []
    for f, side in diagram.feeding():
        inputs = [value_of(lst.name) for lst in f["lists"]]
        right_feeds.append((f, side, inputs, operate(*inputs[:1], f["kind"], *inputs[1:])))
    # At level 3 the two-input frame feeding the final one is judged first, wherever it stands.
    right_feeds.sort(key=lambda t: t[0]["kind"] == NOT)

    entered = list(final_inputs)
    for f, side, inputs, result in right_feeds:
        entered[side] = result
    expected = None
    if answer_kind == "feed":
        if not right_feeds:
            fail("no intermediate list at level 1")
        f, side, inputs, result = right_feeds[0]
        entered[side] = 3 - result
        expected = equation(f["kind"], inputs, texts, names)
    right_final = operate(*entered[:1], final["kind"], *entered[1:])
    answer = right_final
    if answer_kind == "final":
        answer = 3 - right_final
        expected = equation(final["kind"], entered, texts, names)
    elif answer_kind == "unknown":
        answer = UNKNOWN
        expected = UNFINISHED

    if lists_how == "tab":
        sides = sorted(side for _, side, _, _ in right_feeds)
        type_answers([final["lists"][side] for side in sides] + [diagram.answer],
                     [entered[side] for side in sides] + [answer], texts)
        return diagram, expected
    for f, side, inputs, result in right_feeds:
        set_list(final["lists"][side], entered[side], texts, lists_how)
    set_list(diagram.answer, answer, texts, lists_how)
    return diagram, expected


def type_answers(lists, values, texts):
    """The keyboard alone: the exercise gives the focus to its first open list; each list is set with the arrow
    keys on the closed list, and Tab goes on to the next, the final operation's upper input before its lower one
    and the answer box last."""
    focus_window(APP_NAME)
    for i, (lst, value) in enumerate(zip(lists, values)):
        wait_for(f"open list {i + 1} of {len(lists)} has the keyboard focus",
                 lambda: has_state(lst, pyatspi.STATE_FOCUSED))
        wanted = "?" if value == UNKNOWN else texts[value - 1]
        steps = value - value_of(lst.name)
        if steps:
            xdotool("key", *(["Down"] * steps if steps > 0 else ["Up"] * -steps))
        wait_for(f"the focused list shows \"{wanted}\"", lambda: lst.name == wanted)
        if i + 1 < len(lists):
            xdotool("key", "Tab")


def exercise(e, level, how):
    answer_kind, lists_how, command = how.split("/")
    app = application()
    # Reading and setting the lists can be tried again: the accessibility bus may drop a call on a busy
    # machine, and setting a list to the value it shows does nothing. The answer itself is given once.
    for attempt in range(3):
        try:
            diagram, expected = prepare(app, e, level, answer_kind, lists_how)
            break
        except Failure:
            raise
        except Exception as error:
            if attempt == 2:
                raise
            print(f"exercise {e}: trying again after {error!r}", file=sys.stderr, flush=True)
            if popup_open(app):
                xdotool("key", "Escape")
            time.sleep(0.5)
    shown = " ".join(f"{f['name']}@{f['left']},{f['top']}" for f in diagram.frames)
    note(f"exercise {e}: {shown}; answer {answer_kind} by {lists_how}, {command}")

    if command == "button" or ACTIONS:
        app_frame = main_frame(app)
        click(find_showing(app_frame, pyatspi.ROLE_PUSH_BUTTON, "Готово"))
    else:
        focus_window(APP_NAME)
        xdotool("key", "Return")

    if expected is not None:
        dialog = wait_for("the wrong-answer message \"Неверно!\"", lambda: shown_dialog(app, "Неверно!"))
        text = wait_for("its text", lambda: next((l.name for l in descendants(dialog)
                                                   if role(l) == pyatspi.ROLE_LABEL and l.name), None))
        if normalise(text) != normalise(WRONG_HEAD + expected):
            fail(f"exercise {e}: the message reads {text!r}, expected {WRONG_HEAD + expected!r}")
        if not any(role(c) == pyatspi.ROLE_IMAGE and c.name == "Предупреждение" for c in descendants(dialog)):
            fail(f"exercise {e}: the message's icon is not read as \"Предупреждение\"")
        note(f"  message: {normalise(text).splitlines()[-1]}")
        if ACTIONS:
            press(find_showing(dialog, pyatspi.ROLE_PUSH_BUTTON))
        else:
            focus_window("Неверно!")
            xdotool("key", "Return")
        wait_for("Enter closes \"Неверно!\"", lambda: shown_dialog(app, "Неверно!") is None)
    elif shown_dialog(app, "Неверно!"):
        fail(f"exercise {e}: a right answer was called wrong")

    if e == 10:
        wait_for("the score message \"Победа!\"", lambda: shown_dialog(app, "Победа!"))
        note("victory")
        return

    def next_shown():
        if shown_dialog(app, "Неверно!"):
            fail(f"exercise {e}: a right answer was called wrong")
        return Diagram(main_frame(app)).paths != diagram.paths

    wait_for(f"exercise {e + 1} replaces exercise {e}", next_shown)
    note("next")


def victory(right):
    app = application()
    dialog = wait_for("the score message \"Победа!\"", lambda: shown_dialog(app, "Победа!"))
    text = wait_for("its text", lambda: next((l.name for l in descendants(dialog)
                                               if role(l) == pyatspi.ROLE_LABEL and l.name), None))
    clock = next((l.name for l in descendants(main_frame(app)) if role(l) == pyatspi.ROLE_LABEL
                  and re.fullmatch(r"\d\d:\d\d", l.name or "")), None)
    if clock is None:
        fail("no game clock on the screen")
    seconds = int(clock[:2]) * 60 + int(clock[3:])
    bonus = 100 if seconds < 180 else (380 - seconds) // 2 if seconds < 380 else 0
    score = 50 + 15 * right + bonus + 100  # no hint taken in this run
    wanted = f"Поздравляем с успехом!\nВаши очки: {score}."
    if normalise(text) != wanted:
        fail(f"the score message reads {text!r}, expected {wanted!r} ({right} right in {clock})")
    note(f"score {score} for {right} right in {clock}")
    focus_window("Победа!")
    xdotool("key", "Return")
    wait_for("Enter closes \"Победа!\"", lambda: shown_dialog(app, "Победа!") is None)
    wait_state("gameover")


def menu(items):
    app = application()
    for name in items:
        item = wait_for(f"menu item \"{name}\" shown", lambda: next(
            (m for m in descendants(main_frame(app)) if role(m) == pyatspi.ROLE_MENU_ITEM and m.name == name
             and showing(m) and extents(m)[2] > 0 and has_state(m, pyatspi.STATE_ENABLED)), None))
        click(item)
    note("menu " + " → ".join(items))


def menu_item(name):
    app = application()
    wait_for(f"a menu item \"{name}\"", lambda: any(
        role(m) == pyatspi.ROLE_MENU_ITEM and m.name == name for m in descendants(main_frame(app))))
    note(f"menu item {name}")


def click_button(name):
    app = application()
    click(wait_for(f"button \"{name}\" shown", lambda: find_showing(main_frame(app), pyatspi.ROLE_PUSH_BUTTON, name)))
    note(f"clicked {name}")


# ---- What a screen reader says ------------------------------------------------------------------------------------

LAMP_NAME = re.compile(r"(Зелёная|Жёлтая|Красная) лампа, (горит|не горит)")
CONTROL_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_IMAGE,
                 pyatspi.ROLE_PROGRESS_BAR)


def startup_names():
    app = application()
    dialog = wait_for("the start-up screen", lambda: shown_dialog(app, "О программе"))
    bar = wait_for("its bar", lambda: find_showing(dialog, pyatspi.ROLE_PROGRESS_BAR))
    if bar.name != "Загрузка программы":
        fail(f"the start-up bar is read as \"{bar.name}\"")
    first = wait_for("the bar's description", lambda: re.fullmatch(r"Загружено (\d+) %", bar.description))
    # The description follows the bar as it fills.
    wait_for("the bar's description follows the filling", lambda: (lambda m: m and int(m[1]) > int(first[1]))(
        re.fullmatch(r"Загружено (\d+) %", bar.description)))
    picture = find_showing(dialog, pyatspi.ROLE_IMAGE)
    if picture is None or picture.name != "Эмблема программы Логикус":
        fail(f"the start-up screen's picture is read as {picture and picture.name!r}")
    note(f"start-up bar \"{bar.name}\", {bar.description}; picture \"{picture.name}\"")


def spoken_label(acc):
    """What a screen reader says a list is: its label. A combo box's own name is its current text on Linux."""
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets():
            return relation.getTarget(0).name
    return None


def names():
    app = application()
    frame = main_frame(app)
    unnamed = [f"{acc.getRoleName()} at {extents(acc)[:2]}" for acc in descendants(frame)
               if role(acc) in CONTROL_ROLES and showing(acc) and not acc.name]
    if unnamed:
        fail("controls without a name: " + ", ".join(unnamed))
    images = [acc for acc in descendants(frame) if role(acc) == pyatspi.ROLE_IMAGE and showing(acc)]
    lamps = [acc.name for acc in images if LAMP_NAME.fullmatch(acc.name)]
    if sorted(n.split()[0] for n in lamps) != ["Жёлтая", "Зелёная", "Красная"]:
        fail(f"the lamps are read as {lamps}")
    for acc in images:
        if acc.name in lamps and not acc.description.startswith("Общее время"):
            fail(f"the lamp \"{acc.name}\" says nothing of the time: {acc.description!r}")
    state = state_of(frame)
    title = [acc for acc in images if acc.name == "Печатная плата"]
    if (state == "playing") == bool(title):
        fail(f"the title picture {'is' if title else 'is not'} read in the state {state}")
    note(f"lamps: {'; '.join(lamps)}")
    if state != "playing":
        return
    diagram = Diagram(frame)
    final = diagram.final()
    fed = dict((side, f) for f, side in diagram.feeding())
    checked = 0
    for f in diagram.frames:
        for i, lst in enumerate(f["lists"]):
            given = f is not final or i not in fed
            where = ("вход" if f["kind"] == NOT else ("верхний вход" if i == 0 else "нижний вход"))
            wanted = f"{where} операции {f['name']}, " + ("дано" if given else "выбери значение")
            if f is final and i in fed:
                wanted = f"Результат операции {fed[i]['name']}, " + wanted
            wanted = wanted[0].upper() + wanted[1:]
            if spoken_label(lst) != wanted:
                fail(f"a list of {f['name']} at ({f['left']}, {f['top']}) is read as \"{spoken_label(lst)}\", "
                     f"expected \"{wanted}\"")
            if given != (lst.description == "Значение дано в упражнении."):
                fail(f"the list \"{wanted}\" is described as {lst.description!r}")
            checked += 1
    wanted = f"Ответ: результат операции {final['name']}, выбери значение"
    if spoken_label(diagram.answer) != wanted:
        fail(f"the answer box is read as \"{spoken_label(diagram.answer)}\", expected \"{wanted}\"")
    note(f"{checked} lists and the answer box named; the answer box: {wanted}")


def progress(text):
    app = application()
    bar = wait_for("the progress bar", lambda: find_showing(main_frame(app), pyatspi.ROLE_PROGRESS_BAR))
    if bar.name != "Ход игры":
        fail(f"the progress bar is read as \"{bar.name}\"")
    wait_for(f"the progress bar described as {text!r} (now {bar.description!r})", lambda: bar.description == text)
    # The same words come up as its tooltip when the pointer rests on the bar.
    # Qt shows tooltips over the active window, after the pointer has moved inside the control and rested.
    focus_window(APP_NAME)
    x, y, w, h = extents(bar)
    xdotool("mousemove", str(x + w // 2 - 1), str(y + h // 2))
    xdotool("mousemove", str(x + w // 2), str(y + h // 2))

    def tooltip():
        return any(acc.name == text or (acc.name or "").replace("\n", " ") == text for window in children(app)
                   if role(window) not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG) and showing(window)
                   for acc in [window, *descendants(window)])

    wait_for("the progress bar's tooltip", tooltip)
    xdotool("mousemove", "0", "0")
    note(f"progress: {text}")


def dialog_names(caption):
    app = application()
    dialog = wait_for(f"the window \"{caption}\"", lambda: shown_dialog(app, caption))
    if caption == "Подсказка":
        table = wait_for("the hint table", lambda: find_showing(dialog, pyatspi.ROLE_TABLE))
        if table.name != "Таблица логических операций" or not table.description:
            fail(f"the hint table is read as {table.name!r} / {table.description!r}")
        cells = table.queryTable()
        texts = [[cells.getAccessibleAt(r, c).name for c in range(cells.nColumns)] for r in range(cells.nRows)]
        values = {text for row in texts[1:] for text in row}
        if len(texts) != 5 or not any(set(pair) == values for pair in NOTATIONS):
            fail(f"the hint table's cells read {texts}")
        note(f"hint table \"{table.name}\": {' | '.join(texts[0])}")
    elif caption == "О программе":
        picture = find_showing(dialog, pyatspi.ROLE_IMAGE)
        if picture is None or picture.name != "Эмблема программы Логикус":
            fail(f"the about window's picture is read as {picture and picture.name!r}")
        labels = {acc.name for acc in descendants(dialog) if role(acc) in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC)}
        if "Логикус" not in labels:
            fail(f"the about window's drawn title is not read; labels: {sorted(labels)}")
        note("about window: picture and title named")
    else:
        text = next((acc for acc in descendants(dialog) if role(acc) in (pyatspi.ROLE_TEXT, pyatspi.ROLE_DOCUMENT_TEXT)
                     and showing(acc)), None)
        if text is None or text.name != caption:
            fail(f"the document box of \"{caption}\" is read as {text and text.name!r}")
        note(f"document box \"{text.name}\"")


def main(argv):
    command, args = argv[1], argv[2:]
    try:
        if command == "state":
            wait_state(args[0])
        elif command == "choose-notation":
            choose_notation(args)
        elif command == "exercise":
            exercise(int(args[0]), int(args[1]), args[2])
        elif command == "victory":
            victory(int(args[0]))
        elif command == "menu":
            menu(args)
        elif command == "menu-item":
            menu_item(args[0])
        elif command == "click":
            click_button(args[0])
        elif command == "startup-names":
            startup_names()
        elif command == "names":
            names()
        elif command == "progress":
            progress(args[0])
        elif command == "gone":
            app = application()
            wait_for(f"the window \"{args[0]}\" closes", lambda: shown_dialog(app, args[0]) is None)
        elif command == "dialog-names":
            dialog_names(args[0])
        else:
            fail(f"unknown command {command}")
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr, flush=True)
        return 1
    except Exception:
        traceback.print_exc()
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
