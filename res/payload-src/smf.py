"""Standard MIDI Files from note lists, and the four tunes of the game."""

import struct

TICKS_PER_BEAT = 480
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_number(name):
    """'C4' is middle C (60); '#' and 'b' raise and lower by a semitone."""
    pitch = NOTE_NAMES[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        pitch += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + pitch


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def chunk(kind, data):
    return kind + struct.pack(">I", len(data)) + data


def meta(kind, data):
    return b"\xff" + bytes([kind]) + varlen(len(data)) + data


def track(events):
    """events: (delta ticks, event bytes); the end-of-track event is added."""
    data = b"".join(varlen(delta) + event for delta, event in events)
    return chunk(b"MTrk", data + varlen(0) + meta(0x2F, b""))


def conductor(title, bpm, numerator, denominator_power):
    tempo = round(60_000_000 / bpm)
    return track([
        (0, meta(0x03, title.encode("ascii"))),
        (0, meta(0x58, bytes([numerator, denominator_power, 24, 8]))),
        (0, meta(0x51, tempo.to_bytes(3, "big"))),
    ])


def voice(name, channel, program, velocity, notes):
    """notes: text of 'pitch:beats' words; 'R:beats' is a rest; a pitch may
    be a chord such as 'C4+E4+G4'."""
    events = [(0, meta(0x03, name.encode("ascii"))), (0, bytes([0xC0 | channel, program]))]
    wait = 0
    for word in notes.split():
        pitch, beats = word.split(":")
        length = round(float(beats) * TICKS_PER_BEAT)
        if pitch == "R":
            wait += length
            continue
        keys = [note_number(p) for p in pitch.split("+")]
        for i, key in enumerate(keys):
            events.append((wait if i == 0 else 0, bytes([0x90 | channel, key, velocity])))
        for i, key in enumerate(keys):
            events.append((length if i == 0 else 0, bytes([0x80 | channel, key, 0])))
        wait = 0
    return track(events)


def midi_file(tracks, file_format=1):
    header = chunk(b"MThd", struct.pack(">HHH", file_format, len(tracks), TICKS_PER_BEAT))
    return header + b"".join(tracks)


def fernvale_waltz():
    melody = """
        D5:1 B4:1 G4:1  A4:1 B4:1 C5:1  D5:2 E5:1  D5:3
        E5:1 C5:1 A4:1  B4:1 C5:1 D5:1  C5:2 B4:1  A4:3
        D5:1 B4:1 G4:1  A4:1 B4:1 C5:1  D5:1 G5:1 F#5:1  E5:3
        D5:1 C5:1 B4:1  A4:1 B4:1 A4:1  G4:3  R:3"""
    bass = """
        G2:1 B3+D4:1 B3+D4:1  D3:1 A3+C4:1 A3+C4:1  G2:1 B3+D4:1 B3+D4:1  G2:1 B3+D4:1 B3+D4:1
        C3:1 E3+G3:1 E3+G3:1  G2:1 B3+D4:1 B3+D4:1  A2:1 C4+E4:1 C4+E4:1  D3:1 F#3+A3:1 F#3+A3:1
        G2:1 B3+D4:1 B3+D4:1  D3:1 A3+C4:1 A3+C4:1  B2:1 D4+G4:1 D4+G4:1  C3:1 E3+G3:1 E3+G3:1
        D3:1 F#3+C4:1 F#3+C4:1  D3:1 F#3+C4:1 F#3+C4:1  G2:1 B3+D4:1 B3+D4:1  G2:3"""
    return midi_file([conductor("Fernvale Waltz", 132, 3, 2),
                      voice("Melody", 0, 73, 96, melody),
                      voice("Accompaniment", 1, 0, 72, bass)])


def meadow_reel():
    melody = """
        D5:0.5 F#5:0.5 A5:0.5 F#5:0.5 D5:0.5 F#5:0.5 A5:0.5 F#5:0.5
        E5:0.5 G5:0.5 B5:0.5 G5:0.5 E5:0.5 G5:0.5 B5:0.5 G5:0.5
        F#5:0.5 A5:0.5 D6:0.5 A5:0.5 G5:0.5 F#5:0.5 E5:0.5 D5:0.5
        C#5:0.5 E5:0.5 A5:0.5 E5:0.5 C#5:0.5 B4:0.5 A4:1
        D5:0.5 F#5:0.5 A5:0.5 F#5:0.5 B5:0.5 A5:0.5 G5:0.5 F#5:0.5
        E5:0.5 F#5:0.5 G5:0.5 E5:0.5 C#5:0.5 D5:0.5 E5:0.5 C#5:0.5
        D5:0.5 E5:0.5 F#5:0.5 G5:0.5 A5:0.5 G5:0.5 F#5:0.5 E5:0.5
        D5:2 R:2"""
    bass = """
        D3:1 A3:1 D3:1 A3:1  E3:1 B3:1 E3:1 B3:1  D3:1 A3:1 G3:1 B3:1  A2:1 E3:1 A2:1 C#3:1
        D3:1 A3:1 G3:1 B3:1  A2:1 E3:1 A2:1 C#3:1  D3:1 A3:1 A2:1 C#3:1  D3:2 R:2"""
    return midi_file([conductor("Meadow Reel", 168, 4, 2),
                      voice("Fiddle", 0, 40, 100, melody),
                      voice("Bass", 1, 32, 84, bass)])


def hearth_song():
    melody = """
        C5:1.5 A4:0.5 F4:1 A4:1  Bb4:1.5 G4:0.5 E4:2
        F4:1 G4:1 A4:1 Bb4:1  C5:3 R:1
        D5:1.5 C5:0.5 Bb4:1 A4:1  G4:1.5 A4:0.5 Bb4:2
        A4:1 G4:1 E4:1 G4:1  F4:3 R:1"""
    chords = """
        F3+A3+C4:4  C3+E3+Bb3:4  F3+A3+C4:2 D3+F3+Bb3:2  F3+A3+C4:4
        Bb2+D3+F3:4  C3+E3+G3:4  C3+E3+Bb3:4  F3+A3+C4:4"""
    return midi_file([conductor("Hearth Song", 72, 4, 2),
                      voice("Flute", 0, 73, 80, melody),
                      voice("Strings", 1, 48, 60, chords)])


def voyage():
    melody = """
        A4:0.5 C5:0.5 E5:0.5 A5:1.5  G5:0.5 F5:0.5 E5:0.5 D5:1.5
        C5:0.5 D5:0.5 E5:0.5 F5:1 E5:0.5  D5:1.5 R:1.5
        E5:0.5 F5:0.5 G5:0.5 A5:1 G5:0.5  F5:0.5 E5:0.5 D5:0.5 C5:1.5
        B4:0.5 C5:0.5 D5:0.5 E5:1 G#4:0.5  A4:3"""
    bass = """
        A2:1.5 E3:1.5  D3:1.5 F3:1.5  A2:1.5 F3:1.5  G2:1.5 D3:1.5
        C3:1.5 G3:1.5  D3:1.5 A3:1.5  E3:1.5 G#3:1.5  A2:3"""
    return midi_file([conductor("Voyage", 96, 6, 3),
                      voice("Horn", 0, 60, 92, melody),
                      voice("Cellos", 1, 42, 76, bass)])
