"""The 36 characters of the clip bank and the words fed to the synthesisers."""

# Order of the clip index and of the clips in the bank.
CHARACTERS = "abcdefghijklmnopqrstuvwxyz1234567890"

# Letters are spoken by their names, written out so that no synthesiser reads
# a bare "a" as the article. "eigh" and "ef" are the spellings that every
# candidate pronounces as the letter name; "ay" and "eff" are not.
SPOKEN = {
    "a": "eigh", "b": "bee", "c": "see", "d": "dee", "e": "ee", "f": "ef",
    "g": "gee", "h": "aitch", "i": "eye", "j": "jay", "k": "kay", "l": "ell",
    "m": "em", "n": "en", "o": "oh", "p": "pee", "q": "cue", "r": "are",
    "s": "ess", "t": "tee", "u": "you", "v": "vee", "w": "double you",
    "x": "ex", "y": "why", "z": "zee",
    "1": "one", "2": "two", "3": "three", "4": "four", "5": "five",
    "6": "six", "7": "seven", "8": "eight", "9": "nine", "0": "zero",
}

# Pronunciations (CMU phone set) that the recogniser accepts for each
# character; the letter names follow the CMU pronouncing dictionary.
PRONUNCIATIONS = {
    "a": ["EY"], "b": ["B IY"], "c": ["S IY"], "d": ["D IY"], "e": ["IY"],
    "f": ["EH F"], "g": ["JH IY"], "h": ["EY CH"], "i": ["AY"], "j": ["JH EY"],
    "k": ["K EY"], "l": ["EH L"], "m": ["EH M"], "n": ["EH N"], "o": ["OW"],
    "p": ["P IY"], "q": ["K Y UW"], "r": ["AA R"], "s": ["EH S"], "t": ["T IY"],
    "u": ["Y UW"], "v": ["V IY"], "w": ["D AH B AH L Y UW", "D AH B AH Y UW"],
    "x": ["EH K S"], "y": ["W AY"], "z": ["Z IY"],
    "1": ["W AH N", "HH W AH N"], "2": ["T UW"], "3": ["TH R IY"],
    "4": ["F AO R"], "5": ["F AY V"], "6": ["S IH K S"], "7": ["S EH V AH N"],
    "8": ["EY T"], "9": ["N AY N"], "0": ["Z IH R OW", "Z IY R OW"],
}

# Festival's lexicon reads "aitch" as a bare "ch".
FESTIVAL_SPOKEN = dict(SPOKEN, h="aytch")

assert sorted(SPOKEN) == sorted(CHARACTERS) == sorted(PRONUNCIATIONS)
