#!/usr/bin/env python3
"""The checks of the Windows build on a Windows, one program for Wine here and a real Windows there.

    windows_checks.py bundle --windows-build DIR --orvane-sim PATH --unit-tests PATH
        On Linux, after both builds: gathers what the checks need into one folder (the bundle,
        build/windows-bundle): the Windows programs, the release zip, the scenarios' run
        directories from orvane-sim with its outputs, orvane-sim's runs of the checks' own, and
        the stack guard's offset in the DLL. CI uploads that folder for the Windows job.

    windows_checks.py check [--launcher wine] [--only GROUP]...
        Runs the checks on the bundle: every scenario through orvane.exe, as the build stands and
        with the common-controls 6 manifest (and as Windows XP where the launcher is Wine, whose
        setting that is), each checked against orvane-sim's run byte for byte; the plug-in's
        choices carried by the real registry from one run to the next; the control table on real
        controls; the load cycles; the package installed from the zip placing dividers on the
        sample score; and each dialog's picture, with and without the manifest. The launcher
        starts a Windows program: "wine" here, nothing on Windows. One line a check, then
        "windows checks: N passed, M failed".

    windows_checks.py install ZIP HOST.EXE FOLDER
        The plug-in installed as a user does: the host and the DLL taken from the package.

    windows_checks.py sample-steps
        The scripted user's steps of the main job's run on the sample score.
"""
import argparse
import json
import os
import shlex
import shutil
import subprocess
import sys
import threading
import time
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUNDLE = ROOT / "build" / "windows-bundle"
# The checks' own run directories, and the dialogs' pictures in "pictures".
WORK = ROOT / "build" / "windows-checks"
SAMPLE_SCORE = ROOT / "examples" / "orchestral_score.json"
SCENARIO_DEFINITIONS = ROOT / "tests" / "scenarios"
IMAGE_OFFSET = ROOT / "tests" / "windows" / "image_offset.sh"

# The bundle.
PROGRAMS = "programs"
HOST_FILES = ("orvane.exe", "divazivir.dll", "libgcc_s_dw2-1.dll")
CONTROL_TABLE = "control_table.exe"
LOAD_CYCLES = "load-cycles/orvane.exe"
UNSTRIPPED_DLL = "symbols/divazivir.dll"  # in the Windows build, for the stack guard's place
STACK_GUARD_SYMBOL = "___stack_chk_guard"
STACK_GUARD_OFFSET = "stack-guard-offset.txt"
PACKAGE = "package"  # the release zip
SYMBOLS = "symbols"  # and the zip of its unstripped DLL, for reading a crash address
SCENARIOS = "scenarios"
RUNS = "runs"  # orvane-sim's runs for the checks of the registry and of the package

# A run directory (tests/scenarios/scenario_runner.h writes the scenarios' ones).
DOCUMENT = "document.json"
REGISTRY_BEFORE = "registry-before.json"
REGISTRY = "registry.json"
REPORT = "report.json"
OUT = "out.json"
ARGUMENTS = "arguments.json"  # orvane-sim's arguments after the program's name
WINDOWS_ARGUMENTS = "windows-arguments.json"  # orvane.exe's, where they differ
EXPECTED_STDERR = "expected-stderr.txt"  # text that orvane.exe's standard error must hold
EXIT_STATUS = "exit-status.txt"
# The outputs that orvane.exe must write byte for byte as orvane-sim does.
COMPARED_OUTPUTS = (REPORT, REGISTRY, OUT)

# The main job's run on the sample score (scripts/run-main.sh), repeated from the package.
SAMPLE_STEPS = "click 6; pick 103 14; click 105; click 108; pick 120 Never; click 1"
# The registry across runs: the warning's "don't show" box ticked and Yes, H typed as 12 and OK;
# the next run opens the settings dialog straight away, with H at 12, and closes it.
H_ADJUST = 115
FIRST_STEPS = f"click 130; click 6; type {H_ADJUST} 12; click 1"
SECOND_STEPS = "snapshot; key esc"
# The pictures: Yes in the warning, Escape in the settings dialog.
PICTURE_STEPS = "click 6; key esc"
PICTURE_FOLDER = "ORVANE_DIALOG_PICTURE_DIR"
DIALOG_COLOURS = 4

# Time limits, far beyond what a run takes, so that a dialog nobody closes ends the check.
RUN_LIMIT_S = 120
CONTROL_TABLE_LIMIT_S = 1100
LOAD_CYCLES_LIMIT_S = 1400
KILL_GRACE_S = 5
# ctest counts this exit status as a skipped test, where the Windows build is not required.
SKIPPED = 77

COMMON_CONTROLS_6_MANIFEST = """\
<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="x86" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
</assembly>
"""


def say(line):
    print(line, flush=True)


def read_json(path):
    return json.loads(Path(path).read_text(encoding="utf-8"))


def write_json(path, value):
    Path(path).write_text(json.dumps(value, indent=2) + "\n", encoding="utf-8")


def fresh_folder(path):
    shutil.rmtree(path, ignore_errors=True)
    path.mkdir(parents=True)
    return path


def run_limited(command, limit, cwd=None, env=None, stdout=None, stderr=None):
    """Runs the command; past the limit it is stopped, then killed. The exit status, or None when
    the limit ended it."""
    process = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                               stdout=stdout, stderr=stderr)
    try:
        return process.wait(timeout=limit)
    except subprocess.TimeoutExpired:
        process.terminate()
        try:
            process.wait(timeout=KILL_GRACE_S)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
        return None


def run_in(directory, command, limit=RUN_LIMIT_S, env=None):
    """Runs the command in the run directory as scenario_runner.h does: standard output and error
    and the exit status (-1 when the time limit ended the run) into its files."""
    with open(directory / "stdout.txt", "wb") as out, open(directory / "stderr.txt", "wb") as err:
        status = run_limited(command, limit, cwd=directory, env=env, stdout=out, stderr=err)
    if status is None:
        with open(directory / "stderr.txt", "ab") as err:
            err.write(f"stopped after {limit} s\n".encode())
        status = -1
    (directory / EXIT_STATUS).write_text(f"{status}\n")
    return status


def first_difference(expected, actual):
    """Where two byte strings first differ, or None when they are the same."""
    for offset, (a, b) in enumerate(zip(expected, actual)):
        if a != b:
            return f"byte {offset} (orvane-sim 0x{a:02x}, orvane.exe 0x{b:02x})"
    if len(expected) == len(actual):
        return None
    return f"byte {min(len(expected), len(actual))} (orvane-sim {len(expected)} bytes, " \
           f"orvane.exe {len(actual)})"


def differences(reference, windows, outputs=COMPARED_OUTPUTS):
    """How orvane.exe's run differs from orvane-sim's, which went as expected: exit status, the
    files written, byte for byte, and the text standard error must hold."""
    found = []
    expected_status = (reference / EXIT_STATUS).read_text().strip()
    status = (windows / EXIT_STATUS).read_text().strip()
    if status != expected_status:
        stderr = (windows / "stderr.txt").read_text(errors="replace").strip()
        found.append(f"exit status {status}, orvane-sim's {expected_status}; stderr: {stderr}")
    for name in outputs:
        expected, actual = reference / name, windows / name
        if expected.exists() != actual.exists():
            found.append(f"{name}: {'not written' if expected.exists() else 'written'}, "
                         f"orvane-sim {'wrote' if expected.exists() else 'did not write'} it")
        elif expected.exists():
            offset = first_difference(expected.read_bytes(), actual.read_bytes())
            if offset:
                found.append(f"{name}: first difference at {offset}")
    if (reference / EXPECTED_STDERR).exists():
        text = (reference / EXPECTED_STDERR).read_bytes()
        if text not in (windows / "stderr.txt").read_bytes():
            found.append(f"stderr.txt lacks {text.decode(errors='replace')!r}")
    return found


class Checks:
    def __init__(self, launcher, bundle, work):
        self.launcher = launcher
        self.bundle = bundle
        self.work = work
        self.passed = 0
        self.failed = 0

    @property
    def under_wine(self):
        return bool(self.launcher) and Path(self.launcher[0]).name == "wine"

    def record(self, name, problems, detail=""):
        if problems:
            self.failed += 1
            say(f"FAIL {name}: " + "; ".join(problems))
        else:
            self.passed += 1
            say(f"ok   {name}{detail}")

    def windows_run(self, reference, host, directory):
        """Runs orvane.exe of the host folder on the reference run's inputs, with its arguments, in
        a directory of its own; the milliseconds it took."""
        fresh_folder(directory)
        shutil.copyfile(reference / DOCUMENT, directory / DOCUMENT)
        if (reference / REGISTRY_BEFORE).exists():
            shutil.copyfile(reference / REGISTRY_BEFORE, directory / REGISTRY)
        arguments_file = reference / WINDOWS_ARGUMENTS
        if not arguments_file.exists():
            arguments_file = reference / ARGUMENTS
        started = time.monotonic()
        run_in(directory, self.launcher + [str(host / "orvane.exe")] + read_json(arguments_file))
        return int((time.monotonic() - started) * 1000)

    def reg(self, *arguments):
        """Wine's or Windows' reg: its exit status and output."""
        result = subprocess.run(self.launcher + ["reg", *arguments], stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                timeout=RUN_LIMIT_S)
        return result.returncode, result.stdout.decode(errors="replace")

    def host_with_manifest(self):
        """A copy of the host asking for version 6 of the common controls, as hosts built for later
        Windows do."""
        folder = fresh_folder(self.work / "comctl6-host")
        for name in HOST_FILES:
            shutil.copyfile(self.bundle / PROGRAMS / name, folder / name)
        (folder / "orvane.exe.manifest").write_text(COMMON_CONTROLS_6_MANIFEST)
        return folder

    def scenarios(self):
        programs = self.bundle / PROGRAMS
        references = sorted(p for p in (self.bundle / SCENARIOS).iterdir() if p.is_dir())
        passes = [("default", programs, None), ("comctl6", self.host_with_manifest(), None)]
        if self.under_wine:
            passes.append(("winxp", programs, "winxp"))
        for name, host, wine_version in passes:
            if wine_version:
                self.reg("add", r"HKCU\Software\Wine", "/v", "Version", "/t", "REG_SZ",
                         "/d", wine_version, "/f")
            try:
                for reference in references:
                    directory = self.work / "scenarios" / name / reference.name
                    milliseconds = self.windows_run(reference, host, directory)
                    self.record(f"scenario {name} {reference.name}",
                                differences(reference, directory), f" ({milliseconds} ms)")
            finally:
                if wine_version:
                    self.reg("delete", r"HKCU\Software\Wine", "/v", "Version", "/f")
        self.registry_across_runs()

    def registry_key(self, native_registry_file):
        """The plug-in's key as reg lists it, in the form of the host's registry file, and the key
        orvane-sim wrote; binary values only, which is all the plug-in writes."""
        expected = read_json(native_registry_file)
        [key] = expected
        status, listing = self.reg("query", "HKCU\\" + key)
        values = {}
        for line in listing.splitlines() if status == 0 else []:
            words = line.split()
            if len(words) >= 2 and words[1].startswith("REG_"):
                values[words[0]] = {"type": 3 if words[1] == "REG_BINARY" else words[1],
                                    "hex": words[2].lower() if len(words) > 2 else ""}
        return {key: values}, expected

    def registry_across_runs(self):
        """The first run starts without the plug-in's key (no registry file: in the real registry
        too) and leaves its choices there; the second, given no registry file, reads them back from
        the real registry, as orvane-sim reads them from the first run's file."""
        runs = self.bundle / RUNS
        problems = []
        for run in ("registry-first", "registry-second"):
            directory = self.work / run
            self.windows_run(runs / run, self.bundle / PROGRAMS, directory)
            outputs = (REPORT, REGISTRY) if run == "registry-first" else (REPORT,)
            problems += [f"{run}: {problem}" for problem in
                         differences(runs / run, directory, outputs)]
            real, expected = self.registry_key(runs / run / REGISTRY)
            if real != expected:
                problems.append(f"{run}: the real registry holds {real}, orvane-sim wrote "
                                f"{expected}")
        if not problems:
            dialogs = read_json(self.work / "registry-second" / REPORT)["invocations"][0]["dialogs"]
            h = dialogs[0]["snapshots"][0]["controls"][str(H_ADJUST)]["text"] if dialogs else None
            if len(dialogs) != 1 or h != "12":
                problems.append("the second run did not open the settings dialog alone with H 12")
        self.record("registry carried from one run to the next", problems)

    def control_table(self):
        """Every row of the table on these controls, reported as it runs."""
        rows = []

        def row(line):
            if line.startswith(("ok ", "FAIL ")):
                rows.append(line)
                say(f"{line.split(' ', 1)[0]:<4} control table: {line.split(' ', 1)[1].strip()}")
            else:
                say(f"     control table: {line}")

        status = self.streamed([str(self.bundle / PROGRAMS / CONTROL_TABLE)],
                               CONTROL_TABLE_LIMIT_S, row)
        failed = sum(line.startswith("FAIL ") for line in rows)
        self.passed += len(rows) - failed
        self.failed += failed
        if status != (0 if failed == 0 else 1):
            ending = f"stopped after {CONTROL_TABLE_LIMIT_S} s" if status is None \
                else f"ended with exit status {status}"
            self.record("control table", [f"{ending} after {len(rows)} rows"])

    def streamed(self, command, limit, line_seen):
        """Runs the program, handing each line of its output on as it comes; the exit status, or
        None when the limit ended it. Once the program has ended, its output is read only for a
        moment more: a process it started may hold the pipe open."""
        process = subprocess.Popen(self.launcher + command, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

        def read():
            for line in process.stdout:
                line_seen(line.decode(errors="replace").rstrip("\r\n"))

        reader = threading.Thread(target=read, daemon=True)
        reader.start()
        try:
            status = process.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            status = None
        reader.join(timeout=KILL_GRACE_S)
        return status

    def load_cycles(self):
        programs = self.bundle / PROGRAMS
        offset = (self.bundle / STACK_GUARD_OFFSET).read_text().strip()
        status = self.streamed([str(programs / LOAD_CYCLES), str(programs / "divazivir.dll"),
                                offset], LOAD_CYCLES_LIMIT_S,
                               lambda line: say(f"     load cycles: {line}"))
        self.record("load cycles", [] if status == 0 else
                    [f"stopped after {LOAD_CYCLES_LIMIT_S} s" if status is None
                     else f"exit status {status}"])

    def package(self):
        """The DLL from the release zip beside the host, placing dividers on the sample score as
        the main job does: orvane-sim's document, report and registry."""
        [package] = (self.bundle / PACKAGE).glob("*.zip")
        host = install(package, self.bundle / PROGRAMS / "orvane.exe", self.work / "package-host")
        reference = self.bundle / RUNS / "sample"
        milliseconds = self.windows_run(reference, host, self.work / "sample")
        self.record(f"package {package.name} on the sample score",
                    differences(reference, self.work / "sample"), f" ({milliseconds} ms)")

    def dialogs(self):
        """Each dialog's own picture, as it opens on the sample score, with and without the
        manifest; they stay in the pictures folder."""
        for name, host in (("default", self.bundle / PROGRAMS),
                           ("comctl6", self.host_with_manifest())):
            pictures = fresh_folder(self.work / "pictures" / name)
            directory = fresh_folder(self.work / "dialogs" / name)
            shutil.copyfile(self.bundle / RUNS / "sample" / DOCUMENT, directory / DOCUMENT)
            status = run_in(directory,
                            self.launcher + [str(host / "orvane.exe"), DOCUMENT, "--registry",
                                             REGISTRY, "--report", REPORT, "--do", PICTURE_STEPS],
                            env=dict(os.environ, **{PICTURE_FOLDER: str(pictures)}))
            if status != 0 or not (directory / REPORT).exists():
                stderr = (directory / "stderr.txt").read_text(errors="replace").strip()
                self.record(f"pictures {name}", [f"exit status {status}; stderr: {stderr}"])
                continue
            shown = [dialog["id"] for invocation in read_json(directory / REPORT)["invocations"]
                     for dialog in invocation["dialogs"]]
            if not shown:
                self.record(f"pictures {name}", ["no dialog opened"])
            for dialog in shown:
                picture = pictures / f"{dialog}.bmp"
                problem = bitmap_problem(picture)
                self.record(f"picture {name} {picture.relative_to(self.work)}",
                            [problem] if problem else [])


def bitmap_problem(path):
    """What makes the file no picture of a dialog: missing, not a 24-bit BMP, or of fewer colours
    than a dialog shows (its face, its text, the light and dark edges of its controls): a desktop
    that draws nothing, or a dialog drawn without its controls."""
    if not path.exists():
        return f"{path.name} not written"
    data = path.read_bytes()
    if len(data) < 54 or data[:2] != b"BM":
        return f"{path.name} is not a BMP file"
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    pixels = data[int.from_bytes(data[10:14], "little"):]
    row = (width * 3 + 3) & ~3
    if width <= 0 or height <= 0 or data[28] != 24 or len(pixels) < row * height:
        return f"{path.name}: {width}x{height}, {data[28]} bits a pixel, {len(pixels)} bytes"
    colours = {pixels[y * row + x * 3:y * row + x * 3 + 3]
               for y in range(height) for x in range(width)}
    if len(colours) < DIALOG_COLOURS:
        return f"{path.name}: {width}x{height} in {len(colours)} colours"
    return None


GROUPS = {
    "scenarios": Checks.scenarios,
    "control-table": Checks.control_table,
    "load-cycles": Checks.load_cycles,
    "package": Checks.package,
    "dialogs": Checks.dialogs,
}


def install(package, host_exe, folder):
    """The host in a folder of its own, with the plug-in's DLL from the package, which unpacks into
    one folder named after the release."""
    fresh_folder(folder)
    shutil.copyfile(host_exe, folder / "orvane.exe")
    with zipfile.ZipFile(package) as archive:
        [dll] = [name for name in archive.namelist() if name.endswith("/divazivir.dll")]
        (folder / "divazivir.dll").write_bytes(archive.read(dll))
    return folder


def reference_run(orvane_sim, directory, arguments, registry_before=None, windows_arguments=None):
    """orvane-sim's run on the sample score, to which orvane.exe's is compared."""
    fresh_folder(directory)
    shutil.copyfile(SAMPLE_SCORE, directory / DOCUMENT)
    if registry_before:
        shutil.copyfile(registry_before, directory / REGISTRY_BEFORE)
        shutil.copyfile(registry_before, directory / REGISTRY)
    arguments = [DOCUMENT] + arguments
    write_json(directory / ARGUMENTS, arguments)
    if windows_arguments is not None:
        write_json(directory / WINDOWS_ARGUMENTS, [DOCUMENT] + windows_arguments)
    if run_in(directory, [str(orvane_sim)] + arguments) != 0:
        sys.exit(f"windows_checks: orvane-sim failed in {directory}: "
                 + (directory / "stderr.txt").read_text())


def bundle(options):
    windows_build = options.windows_build
    missing = [name for name in HOST_FILES + (CONTROL_TABLE, LOAD_CYCLES, UNSTRIPPED_DLL)
               if not (windows_build / name).exists()]
    if missing:
        say(f"windows_checks: the Windows build lacks {', '.join(missing)}: skipped")
        return SKIPPED
    out = fresh_folder(options.out)

    programs = out / PROGRAMS
    for name in HOST_FILES + (CONTROL_TABLE, LOAD_CYCLES):
        (programs / name).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(windows_build / name, programs / name)
    offset = subprocess.run(["bash", "-c", 'source "$0" && image_offset "$1" "$2"', IMAGE_OFFSET,
                             windows_build / UNSTRIPPED_DLL, STACK_GUARD_SYMBOL],
                            check=True, stdout=subprocess.PIPE, text=True).stdout
    (out / STACK_GUARD_OFFSET).write_text(offset)

    # The release as scripts/package.sh makes it, which names the zips on its last line.
    line = subprocess.run(["bash", str(ROOT / "scripts" / "package.sh")], check=True,
                          stdout=subprocess.PIPE, text=True).stdout.splitlines()[-1]
    for folder, zip_path in ((PACKAGE, line.split()[1]), (SYMBOLS, line.split()[-1])):
        (out / folder).mkdir()
        shutil.copyfile(ROOT / zip_path, out / folder / Path(zip_path).name)

    # The scenarios through orvane-sim, checked against their expectations: the native scenario
    # test leaves each run directory.
    fresh_folder(options.native_scenarios)
    subprocess.run([str(options.unit_tests), "--gtest_filter=Scenarios/ScenarioRun.*",
                    "--gtest_brief=1"], check=True)
    for definition_file in sorted(SCENARIO_DEFINITIONS.glob("*.json")):
        source = options.native_scenarios / definition_file.stem
        if not (source / EXIT_STATUS).exists():
            sys.exit(f"windows_checks: the native scenario test left no run of {source.name}")
        target = out / SCENARIOS / source.name
        shutil.copytree(source, target)
        definition = read_json(definition_file)
        # Options of orvane.exe alone, such as --preload, go before the others.
        if "wineArguments" in definition:
            write_json(target / WINDOWS_ARGUMENTS,
                       definition["wineArguments"] + read_json(source / ARGUMENTS))
        if "stderr" in definition.get("expect", {}):
            (target / EXPECTED_STDERR).write_text(definition["expect"]["stderr"], encoding="utf-8")

    runs = out / RUNS
    reference_run(options.orvane_sim, runs / "sample",
                  ["--registry", REGISTRY, "--out", OUT, "--report", REPORT, "--do", SAMPLE_STEPS])
    reference_run(options.orvane_sim, runs / "registry-first",
                  ["--registry", REGISTRY, "--report", REPORT, "--do", FIRST_STEPS])
    reference_run(options.orvane_sim, runs / "registry-second",
                  ["--registry", REGISTRY, "--report", REPORT, "--do", SECOND_STEPS],
                  registry_before=runs / "registry-first" / REGISTRY,
                  windows_arguments=["--report", REPORT, "--do", SECOND_STEPS])
    say(f"windows_checks: bundle in {out}: {len(list((out / SCENARIOS).iterdir()))} scenarios")
    return 0


def check(options):
    if not (options.bundle / PROGRAMS).is_dir():
        say(f"windows_checks: no bundle in {options.bundle} (windows_checks.py bundle): skipped")
        return SKIPPED
    checks = Checks(shlex.split(options.launcher), options.bundle, options.work)
    checks.work.mkdir(parents=True, exist_ok=True)
    for group in options.only or GROUPS:
        started = time.monotonic()
        try:
            GROUPS[group](checks)
        except Exception as problem:  # the other groups still run, and the count still ends it
            checks.record(group, [f"stopped by {problem!r}"])
        say(f"     {group}: {time.monotonic() - started:.1f} s")
    say(f"windows checks: {checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed or not checks.passed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    made = commands.add_parser("bundle")
    made.add_argument("--windows-build", type=Path, required=True)
    made.add_argument("--orvane-sim", type=Path, required=True)
    made.add_argument("--unit-tests", type=Path, required=True)
    made.add_argument("--native-scenarios", type=Path, required=True,
                      help="where the native scenario test leaves its run directories")
    made.add_argument("--out", type=Path, default=BUNDLE)
    checked = commands.add_parser("check")
    checked.add_argument("--launcher", default="", help='how to start a Windows program: "wine"')
    checked.add_argument("--bundle", type=Path, default=BUNDLE)
    checked.add_argument("--work", type=Path, default=WORK)
    checked.add_argument("--only", action="append", choices=list(GROUPS))
    installed = commands.add_parser("install")
    for name in ("package", "host_exe", "folder"):
        installed.add_argument(name, type=Path)
    commands.add_parser("sample-steps")
    options = parser.parse_args()
    # The runs happen in their own directories.
    for name, value in vars(options).items():
        if isinstance(value, Path):
            setattr(options, name, value.resolve())
    if options.command == "bundle":
        return bundle(options)
    if options.command == "check":
        return check(options)
    if options.command == "install":
        install(options.package, options.host_exe, options.folder)
    else:
        print(SAMPLE_STEPS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
