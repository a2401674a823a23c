"""The Python module: opening, walking, editing, saving, errors, events and
introspection, all through the objects' late-binding members."""
import os
import re

import pytest

import xmlsecdb
from conftest import DATABASES, SOURCE


def collections_of(db):
    """The parser's top-level lists: its members that are collections."""
    out = {}
    for name in dir(db):
        if name in ("Xml", "on"):
            continue
        try:
            value = getattr(db, name)
        except (AttributeError, xmlsecdb.Error):
            continue
        if isinstance(value, xmlsecdb.Object) and "Count" in dir(value):
            out[name] = value
    return out


@pytest.mark.parametrize("kind", sorted(DATABASES))
def test_open_walks_every_list_of_each_example(kind, example):
    db = xmlsecdb.open(example(kind))
    assert db.FilePath == example(kind)
    lists = collections_of(db)
    assert lists, kind
    for name, items in lists.items():
        walked = list(items)
        assert len(items) == len(walked), name
        if walked:
            assert items[1] == walked[0] and items[len(items)] == walked[-1], name
        with pytest.raises(IndexError):
            items[len(items) + 1]
        with pytest.raises(IndexError):
            items[0]
    # The kind given by name reads the same file alike.
    assert xmlsecdb.open(example(kind), kind=kind.upper()).Xml == db.Xml


def test_edit_save_and_reload(example):
    path = example("am")
    db = xmlsecdb.open(path)
    rules = db.RuleList
    first = rules[1]
    first.Priority = xmlsecdb.PRIOR_LOW
    first.description = "edited from Python"  # names ignore case
    count = len(rules)
    copy = rules.CreateRule()
    copy.Priority = xmlsecdb.PRIOR_HIGH
    for name in ("AppType", "Application", "ObjectType", "PathType", "Path"):
        setattr(copy, name, getattr(first, name))
    rules.Insert(copy, None)
    assert len(rules) == count + 1
    db.Save("")

    again = xmlsecdb.open(path, read_only=True)
    assert len(again.RuleList) == count + 1
    found = [r for r in again.RuleList if r.Description == "edited from Python"]
    assert len(found) == 1 and found[0].Priority == xmlsecdb.PRIOR_LOW
    assert "edited from Python" in again.Xml
    assert again.ReadOnly


def test_new_database_round_trips_through_xml(tmp_path):
    db = xmlsecdb.new("sbx")
    db.Version = 0x00020003
    path = str(tmp_path / "new.xml")
    db.Save(path)
    assert xmlsecdb.open(path).Version == 0x00020003
    with pytest.raises(ValueError):
        xmlsecdb.new("nonsense")


def test_failures_raise_error_with_the_record(example):
    db = xmlsecdb.open(example("am"), read_only=True)
    rule = db.RuleList[1]
    with pytest.raises(xmlsecdb.Error) as raised:
        rule.Priority = xmlsecdb.PRIOR_HIGH
    error = raised.value
    assert error.hresult == xmlsecdb.SECDB_E_READONLY == 0x80041006
    assert error.source.startswith("XMLSecDB.")
    assert "read-only" in error.description
    assert error.description in str(error)

    missing = str(example("am")) + ".missing"
    with pytest.raises(xmlsecdb.Error):
        xmlsecdb.open(missing, kind="am")
    with pytest.raises(xmlsecdb.Error):
        xmlsecdb.open(missing)


@pytest.mark.parametrize("call, expected", [
    (lambda db: db.Save(), TypeError),                    # too few arguments
    (lambda db: db.Save("a", "b"), TypeError),            # too many
    (lambda db: db.RuleList.Insert(1, None), TypeError),  # a number for an object
    (lambda db: setattr(db, "Version", "x"), TypeError),  # not a number
    (lambda db: setattr(db, "Version", 2 ** 40), TypeError),
    (lambda db: setattr(db, "Version", 1.5), TypeError),
    (lambda db: db.Save(kw=1), TypeError),
    (lambda db: db.NoSuchMember, AttributeError),
    (lambda db: setattr(db, "Module", 1), AttributeError),  # get only
    (lambda db: db.CryptKey, AttributeError),              # put only
    (lambda db: len(db), TypeError),                       # not a collection
    (lambda db: db.RuleList["x"], TypeError),
])
def test_wrong_calls_raise(call, expected, example):
    db = xmlsecdb.open(example("am"))
    with pytest.raises(expected):
        call(db)


def test_argument_errors_are_errors_and_type_errors(example):
    db = xmlsecdb.open(example("am"))
    with pytest.raises(xmlsecdb.ArgumentError) as raised:
        db.Load()
    assert isinstance(raised.value, TypeError)
    assert raised.value.hresult == xmlsecdb.DISP_E_BADPARAMCOUNT


BAD_VALUES = [None, 0, -1, 2 ** 31, "", "x" * 300, "\udcff", b"\0", [], [[[]]], ["a", 1],
              True, 1.5, object()]


@pytest.mark.parametrize("kind", sorted(DATABASES))
def test_no_member_crashes_on_wrong_arguments(kind, example, tmp_path):
    """Every member of the parser, its lists and their first items, called
    with wrong types and counts, raises or succeeds: nothing crashes."""
    db = xmlsecdb.open(example(kind))
    db.SetMasterParser  # looked up, never called on itself
    objects = [db] + list(collections_of(db).values())
    objects += [items[1] for items in list(objects[1:]) if len(items)]
    allowed = (xmlsecdb.Error, TypeError, AttributeError, IndexError)
    os.chdir(tmp_path)  # a Save or Load of a bad path stays here
    for target in objects:
        for name in dir(target):
            if name in ("on", "SetMasterParser"):
                continue
            for value in BAD_VALUES:
                for args in ((), (value,), (value, value), (value, value, value)):
                    try:
                        member = getattr(target, name)
                        if isinstance(member, xmlsecdb.Member):
                            member(*args)
                    except allowed:
                        pass
                try:
                    setattr(target, name, value)
                except allowed:
                    pass


def test_events_reach_the_callback(example):
    db = xmlsecdb.open(example("am"))
    seen = []
    connection = db.on(lambda name, args: seen.append((name, args)))
    rule = db.RuleList[1]
    rule.Priority = xmlsecdb.PRIOR_LOW if rule.Priority != xmlsecdb.PRIOR_LOW else xmlsecdb.PRIOR_HIGH
    db.Save("")
    names = [name for name, _ in seen]
    assert names == ["OnBeforeRuleChanged", "OnAfterRuleChanged", "OnBeforeSave", "OnAfterSave"]
    assert seen[0][1][0] == rule
    connection.close()
    connection.close()
    assert not connection.connected
    db.Save("")
    assert len(seen) == 4


def test_a_failing_callback_raises_from_the_call(example):
    db = xmlsecdb.open(example("am"))

    def callback(name, args):
        raise RuntimeError("from " + name)

    with db.on(callback):
        with pytest.raises(RuntimeError, match="from OnBeforeSave"):
            db.Save("")
        db.Xml  # raises no events, and nothing is left over
    assert os.path.exists(example("am"))


def test_introspection(example):
    db = xmlsecdb.open(example("am"))
    assert {"RuleList", "Save", "Xml", "on"} <= set(dir(db))
    assert "Priority" in dir(db.RuleList[1])
    doc = db.RuleList.Insert.__doc__
    assert "method" in doc and re.search(r"DISPID \d+", doc)
    assert "ISDParserAM" in db.__doc__ and "property get" in db.__doc__
    assert xmlsecdb.PRIOR_HIGH == xmlsecdb.ENUMS["EPriority"]["PRIOR_HIGH"]
    assert xmlsecdb.AR_ALLOW == 1 and xmlsecdb.MODULE_AM == 256
    assert xmlsecdb.DISPID_NEWENUM == -4
    assert set(DATABASES) <= set(xmlsecdb.KINDS)
    assert repr(db) == "<xmlsecdb ISDParserAM>"


def test_readme_example_runs(example, tmp_path, capsys):
    with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as f:
        readme = f.read()
    section = readme.split("## Scripting from Python", 1)[1]
    code = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    (tmp_path / "examples").mkdir()
    os.replace(example("am"), tmp_path / "examples" / "antimalware.xml")
    os.chdir(tmp_path)
    exec(compile(code, "README.md", "exec"), {})
    assert capsys.readouterr().out
    assert os.path.exists(tmp_path / "am-edited.xml")
