#!/usr/bin/env python3
"""Synthesises Numik's four feedback sounds into sounds/ (mono, 16 bit, 22050 Hz).

    spravne.wav  a right answer: a bright rising two-note chime
    spatne.wav   a wrong answer: a soft, low, falling "uh-oh"
    pomalu.wav   the time ran out: the quick bell trill of an alarm clock
    dilhod.wav   the partial evaluation: a short cheerful fanfare

Only the standard library is used, and nothing is random, so running the script again gives
the same files byte for byte. Usage: make-sounds.py [output folder]
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 10 ** (-6 / 20)  # every sound is scaled so that its loudest sample is at -6 dBFS
EDGE_FADE = 0.006  # seconds of fade at both ends, so that no file starts or stops with a click


def note_frequency(name):
    """Equal-tempered frequency of a note such as "C5" or "F#4" (A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semitone = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semitone += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semitone -= 1
        rest = rest[1:]
    semitone += (int(rest) - 4) * 12
    return 440.0 * 2 ** (semitone / 12)


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix(track, sound, start):
    """Adds sound into track from the time start (seconds), growing the track as needed."""
    offset = int(round(start * RATE))
    if len(track) < offset + len(sound):
        track.extend([0.0] * (offset + len(sound) - len(track)))
    for i, value in enumerate(sound):
        track[offset + i] += value


def tone(frequency, seconds, partials, attack, decay, glide=0.0, vibrato=(0.0, 0.0)):
    """A tone of harmonic or inharmonic partials [(ratio, amplitude)], with a smooth attack of
    `attack` seconds, an exponential decay of time constant `decay` and a raised-cosine release
    over the last 30 ms. `glide` bends the pitch by that many semitones over the tone, and
    `vibrato` is (rate in Hz, depth in semitones)."""
    count = int(round(seconds * RATE))
    release = min(int(0.03 * RATE), count)
    phases = [0.0] * len(partials)
    out = []
    for i in range(count):
        t = i / RATE
        bend = glide * t / seconds + vibrato[1] * math.sin(2 * math.pi * vibrato[0] * t)
        base = frequency * 2 ** (bend / 12)
        value = 0.0
        for k, (ratio, amplitude) in enumerate(partials):
            phases[k] += 2 * math.pi * base * ratio / RATE
            value += amplitude * math.sin(phases[k])
        envelope = math.exp(-t / decay) if decay > 0 else 1.0
        if t < attack:
            envelope *= 0.5 - 0.5 * math.cos(math.pi * t / attack)
        if i >= count - release:
            envelope *= 0.5 + 0.5 * math.cos(math.pi * (i - (count - release)) / release)
        out.append(value * envelope)
    return out


def finish(track):
    """Fades the very ends and scales the track to the common peak."""
    fade = int(EDGE_FADE * RATE)
    n = len(track)
    for i in range(min(fade, n)):
        gain = 0.5 - 0.5 * math.cos(math.pi * i / fade)
        track[i] *= gain
        track[n - 1 - i] *= gain
    loudest = max(abs(v) for v in track) or 1.0
    return [v * PEAK / loudest for v in track]


# A glassy chime: the fundamental with a little octave and a faint bell-like overtone.
CHIME = [(1.0, 1.0), (2.0, 0.25), (3.01, 0.06)]


def correct_sound():
    track = silence(0.35)
    mix(track, tone(note_frequency("E6"), 0.16, CHIME, 0.004, 0.09), 0.0)
    mix(track, tone(note_frequency("A6"), 0.23, CHIME, 0.004, 0.11), 0.11)
    return finish(track[: int(0.35 * RATE)])


# A round, hummed voice: mostly fundamental, with soft low harmonics and no bright edge.
HUM = [(1.0, 1.0), (2.0, 0.3), (3.0, 0.1)]


def wrong_sound():
    track = silence(0.4)
    mix(track, tone(note_frequency("D4"), 0.15, HUM, 0.025, 0.5, glide=-0.3), 0.0)
    mix(track, tone(note_frequency("A#3"), 0.22, HUM, 0.025, 0.35, glide=-1.2,
                    vibrato=(6.0, 0.08)), 0.17)
    return finish(track[: int(0.4 * RATE)])


# A small bell: the partials of a struck bell, kept mellow so that the trill rings, not rasps.
BELL = [(1.0, 1.0), (2.0, 0.35), (2.76, 0.18), (5.4, 0.05)]


def too_slow_sound():
    track = silence(0.6)
    strikes = 14
    for i in range(strikes):
        # the hammer swings between two bells tuned a little apart
        frequency = 1320.0 if i % 2 == 0 else 1175.0
        strength = 1.0 if i < strikes - 3 else 0.75 ** (i - strikes + 4)
        strike = tone(frequency, 0.12, BELL, 0.002, 0.05)
        mix(track, [v * strength for v in strike], i * 0.038)
    return finish(track[: int(0.6 * RATE)])


# A soft brass: a fuller set of harmonics that fall away gently.
BRASS = [(1.0, 1.0), (2.0, 0.5), (3.0, 0.28), (4.0, 0.14), (5.0, 0.07)]


def evaluation_sound():
    track = silence(0.7)
    for i, name in enumerate(["C5", "E5", "G5"]):
        mix(track, tone(note_frequency(name), 0.16, BRASS, 0.012, 0.2), i * 0.1)
    mix(track, tone(note_frequency("C6"), 0.4, BRASS, 0.015, 0.3, vibrato=(5.5, 0.07)), 0.3)
    mix(track, tone(note_frequency("G5"), 0.4, BRASS, 0.015, 0.3), 0.3)
    return finish(track[: int(0.7 * RATE)])


def write_wave(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        data = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767)))))
                        for v in samples)
        out.writeframes(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "sounds")
    os.makedirs(folder, exist_ok=True)
    sounds = {
        "spravne.wav": correct_sound(),
        "spatne.wav": wrong_sound(),
        "pomalu.wav": too_slow_sound(),
        "dilhod.wav": evaluation_sound(),
    }
    for name, samples in sounds.items():
        path = os.path.join(folder, name)
        write_wave(path, samples)
        print(f"{os.path.normpath(path)}: {len(samples) / RATE:.2f} s")


if __name__ == "__main__":
    main()
