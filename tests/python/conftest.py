"""Fixtures of the module's tests: copies of the example databases, so that
saves and backups land in a temporary folder."""
import os
import shutil

import pytest

SOURCE = os.environ.get("XMLSECDB_SOURCE_DIR",
                        os.path.join(os.path.dirname(__file__), "..", ".."))
EXAMPLES = os.path.join(SOURCE, "examples")

# The example of each kind whose interfaces answer by name.
DATABASES = {"am": "antimalware.xml", "sbx": "sandbox.xml", "di": "data_inspection.xml",
             "ids": "ids.xml", "fw": "firewall.xml", "app": "app_repository.xml"}


@pytest.fixture
def example(tmp_path):
    """example("am") is the path of a fresh copy of that kind's example."""
    def copy(kind):
        target = tmp_path / DATABASES[kind]
        shutil.copy(os.path.join(EXAMPLES, DATABASES[kind]), target)
        return str(target)
    return copy
