"""Morvi as a GUI runs it, for the timing scripts: a copy of the engine in a
folder of its own (with its book, and a morvi.ini that turns its debug log
on), its standard input and output on pipes, and its output read line by
line with a time limit."""
import os
import select
import shutil
import subprocess
import time


class EnginePipe:
    """One engine process in a folder of its own, with its debug log on."""

    def __init__(self, binary, folder):
        os.makedirs(folder)
        shutil.copy(binary, os.path.join(folder, "morvi"))
        book = os.path.join(os.path.dirname(binary), "morvi.book")
        if os.path.exists(book):
            shutil.copy(book, folder)
        with open(os.path.join(folder, "morvi.ini"), "w") as ini:
            ini.write("[Main]\nDebugFile=morvi.log\n")
        self.folder = folder
        self.log = os.path.join(folder, "morvi.log")
        self.proc = subprocess.Popen([os.path.join(folder, "morvi")], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, bufsize=0)
        self.pending = b""

    def send(self, text):
        self.proc.stdin.write(text.encode())
        self.proc.stdin.flush()

    def read_line(self, timeout):
        """The next output line, or None when the time runs out or the output ends."""
        end = time.monotonic() + timeout
        while b"\n" not in self.pending:
            left = end - time.monotonic()
            if left <= 0:
                return None
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if ready:
                chunk = os.read(self.proc.stdout.fileno(), 65536)
                if not chunk:
                    return None
                self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode(errors="replace")
