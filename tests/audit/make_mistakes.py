#!/usr/bin/env python3
"""Writes mistakes.tsv: realistic learner mistakes and what an explanation of
each may truthfully name.

The forms are written out by hand here and the slips made by rules of their
own, so that nothing is taken from the program's tables or its diagnosis.
Each row: where the mistake is made (exercise, item, person, stem box), what
was typed, the kinds of explanation that are true for it, words the
explanation must hold when it names one of those kinds, words it must never
hold, and for exercise 3 the two accepted sentences.

    python3 tests/audit/make_mistakes.py > tests/audit/mistakes.tsv
"""

import sys

# ---- Exercises 1 and 2, extended variant: the 27 verbs in list order --------
# én, te, mi, ti, ők; the vowel group of the endings; the definite forms
# where the verb takes an object.
PRONOUNS = ["én", "te", "mi", "ti", "ők"]
VERBS = [
    ("áll", ["állok", "állsz", "állunk", "álltok", "állnak"], "back", None),
    ("csinál", ["csinálok", "csinálsz", "csinálunk", "csináltok", "csinálnak"], "back",
     ["csinálom", "csinálod", "csináljuk", "csináljátok", "csinálják"]),
    ("ír", ["írok", "írsz", "írunk", "írtok", "írnak"], "back",
     ["írom", "írod", "írjuk", "írjátok", "írják"]),
    ("hallgat", ["hallgatok", "hallgatsz", "hallgatunk", "hallgattok", "hallgatnak"], "back",
     ["hallgatom", "hallgatod", "hallgatjuk", "hallgatjátok", "hallgatják"]),
    ("mosogat", ["mosogatok", "mosogatsz", "mosogatunk", "mosogattok", "mosogatnak"], "back",
     ["mosogatom", "mosogatod", "mosogatjuk", "mosogatjátok", "mosogatják"]),
    ("parancsol", ["parancsolok", "parancsolsz", "parancsolunk", "parancsoltok", "parancsolnak"], "back", None),
    ("sétál", ["sétálok", "sétálsz", "sétálunk", "sétáltok", "sétálnak"], "back", None),
    ("tanul", ["tanulok", "tanulsz", "tanulunk", "tanultok", "tanulnak"], "back",
     ["tanulom", "tanulod", "tanuljuk", "tanuljátok", "tanulják"]),
    ("táncol", ["táncolok", "táncolsz", "táncolunk", "táncoltok", "táncolnak"], "back", None),
    ("vár", ["várok", "vársz", "várunk", "vártok", "várnak"], "back",
     ["várom", "várod", "várjuk", "várjátok", "várják"]),
    ("lak", ["lakom", "laksz", "lakunk", "laktok", "laknak"], "back", None),
    ("bérel", ["bérelek", "bérelsz", "bérelünk", "béreltek", "bérelnek"], "front", None),
    ("beszél", ["beszélek", "beszélsz", "beszélünk", "beszéltek", "beszélnek"], "front", None),
    ("beszélget", ["beszélgetek", "beszélgetsz", "beszélgetünk", "beszélgettek", "beszélgetnek"], "front", None),
    ("fizet", ["fizetek", "fizetsz", "fizetünk", "fizettek", "fizetnek"], "front",
     ["fizetem", "fizeted", "fizetjük", "fizetitek", "fizetik"]),
    ("gépel", ["gépelek", "gépelsz", "gépelünk", "gépeltek", "gépelnek"], "front", None),
    ("kér", ["kérek", "kérsz", "kérünk", "kértek", "kérnek"], "front",
     ["kérem", "kéred", "kérjük", "kéritek", "kérik"]),
    ("pihen", ["pihenek", "pihensz", "pihenünk", "pihentek", "pihennek"], "front", None),
    ("siet", ["sietek", "sietsz", "sietünk", "siettek", "sietnek"], "front", None),
    ("ül", ["ülök", "ülsz", "ülünk", "ültök", "ülnek"], "rounded", None),
    ("örül", ["örülök", "örülsz", "örülünk", "örültök", "örülnek"], "rounded", None),
    ("mos", ["mosok", "mosol", "mosunk", "mostok", "mosnak"], "back",
     ["mosom", "mosod", "mossuk", "mossátok", "mossák"]),
    ("olvas", ["olvasok", "olvasol", "olvasunk", "olvastok", "olvasnak"], "back",
     ["olvasom", "olvasod", "olvassuk", "olvassátok", "olvassák"]),
    ("keres", ["keresek", "keresel", "keresünk", "kerestek", "keresnek"], "front",
     ["keresem", "keresed", "keressük", "keresitek", "keresik"]),
    ("főz", ["főzök", "főzöl", "főzünk", "főztök", "főznek"], "rounded",
     ["főzöm", "főzöd", "főzzük", "főzitek", "főzik"]),
    ("megy", ["megyek", "mész", "megyünk", "mentek", "mennek"], "front", None),
    ("van", ["vagyok", "vagy", "vagyunk", "vagytok", "vannak"], "back", None),
]
# The past tense for ők where it differs from every present form.
PAST_PL3 = {"áll": "álltak", "csinál": "csináltak", "ír": "írtak", "hallgat": "hallgattak",
            "mosogat": "mosogattak", "parancsol": "parancsoltak", "sétál": "sétáltak", "tanul": "tanultak",
            "táncol": "táncoltak", "vár": "vártak", "lak": "laktak", "mos": "mostak", "olvas": "olvastak",
            "ül": "ültek", "örül": "örültek", "főz": "főztek", "van": "voltak"}
SIBILANT = {"mos", "olvas", "keres", "főz"}

# The personal endings as a learner builds them: stem + ending.
ENDINGS = {
    "back": ["ok", "sz", "unk", "tok", "nak"],
    "front": ["ek", "sz", "ünk", "tek", "nek"],
    "rounded": ["ök", "sz", "ünk", "tök", "nek"],
}
# The same ending with the vowel of the other harmony.
HARMONY_SWAP = {"ok": ["ek"], "ek": ["ok"], "ök": ["ek"], "unk": ["ünk"], "ünk": ["unk"],
                "tok": ["tek"], "tek": ["tok"], "tök": ["tek"], "nak": ["nek"], "nek": ["nak"],
                "ol": ["el"], "el": ["ol"], "öl": ["el"], "om": ["em"]}
# A vowel of the same group put in its place.
SAME_GROUP = {"unk": "onk", "tok": "tak", "nak": "nok", "ok": "ak", "nek": "nök", "ünk": "önk"}

ACCENTS = str.maketrans("áéíóöőúüűÁÉÍÓÖŐÚÜŰ", "aeiooouuuAEIOOOUUU")

rows = []


def row(exercise, item, person, typed, ok, must=(), never=(), stem="", a="", b="", note="", answer="", whole=""):
    """whole is the word the learner's typing makes (exercise 5: with the
    word before the gap); the answer is the word or sentence asked for."""
    rows.append((exercise, str(item), str(person), stem, typed, ",".join(ok), "|".join(must), "|".join(never),
                 a, b, answer, note, whole or typed))


def known_forms(verb_index):
    """Every hand-written form of a verb: form -> (kind, pronoun)."""
    verb, forms, _, definite = VERBS[verb_index]
    known = {f: ("person", PRONOUNS[i]) for i, f in enumerate(forms)}
    for i, f in enumerate(definite or []):
        known.setdefault(f, ("definite", PRONOUNS[i]))
    if verb in PAST_PL3:
        known.setdefault(PAST_PL3[verb], ("tense", "ők"))
    return known


def verb_row(v, p, typed, ok, must=(), never=(), note=""):
    """A slip in the extended variant; a slip that lands on another real form
    of the verb may be named as that form too."""
    verb, forms, _, _ = VERBS[v]
    expected = forms[p]
    if typed == expected:
        return
    hit = known_forms(v).get(typed)
    if hit:
        kind, pronoun = hit
        ok = list(ok) + [kind]
        if kind == "person":  # then it is exactly that person's form
            ok, must = ["person"], [pronoun, PRONOUNS[p]]
    row("extended", v, p + 1, typed, ok, must, never, note=note, answer=expected)


def letters_missing(word):
    """Each doubled letter written once."""
    for i in range(1, len(word)):
        if word[i] == word[i - 1]:
            yield word[:i] + word[i + 1:]


for v, (verb, forms, group, definite) in enumerate(VERBS):
    endings = ENDINGS[group]
    for p, expected in enumerate(forms):
        stem_and = lambda e: verb + e  # noqa: E731
        # another person's form: the neighbour in the list
        other = (p + 1) % 5
        verb_row(v, p, forms[other], ["person"], note="person")
        # capitals, at the start and inside, for one person of each verb
        if p == v % 5:
            verb_row(v, p, expected[0].upper() + expected[1:], ["capitals"], never=["accent"], note="capital")
        if len(expected) > 4 and p == (v + 2) % 5:
            verb_row(v, p, expected[:-3] + expected[-3].upper() + expected[-2:], ["capitals"], never=["accent"],
                     note="capital inside")
        # accents left out
        bare = expected.translate(ACCENTS)
        if bare != expected:
            stemless = bare[:len(verb)] == verb.translate(ACCENTS) and verb != verb.translate(ACCENTS)
            ending_dots = any(c in "öü" for c in expected[len(verb):]) and expected.startswith(verb)
            ok = ["accents"] + (["harmony"] if ending_dots and not stemless else [])
            verb_row(v, p, bare, ok, never=["capital"], note="accents")
        if verb in ("megy", "van"):
            continue  # their stems change: slips of their own below
        ending = expected[len(verb):]
        # the vowel of the other harmony
        for swapped in HARMONY_SWAP.get(ending, []):
            must = ["ír"] if verb == "ír" else []
            verb_row(v, p, verb + swapped, ["harmony"], must, note="harmony")
        # a vowel of the same group: never the harmony
        if ending in SAME_GROUP:
            verb_row(v, p, verb + SAME_GROUP[ending], ["spelling"], never=["harmony"], note="same-group vowel")
        # a doubled letter written once
        for typed in letters_missing(expected):
            verb_row(v, p, typed, ["spelling"], never=["stem", "harmony"], note="double written once")
        # two letters of the ending swapped
        if len(ending) >= 2 and ending[0] != ending[1] and p != 1:
            verb_row(v, p, verb + ending[1] + ending[0] + ending[2:], ["spelling"], never=["harmony", "stem"],
                     note="swapped")
        # the definite form
        if definite:
            verb_row(v, p, definite[p], ["definite"], ["definite"], note="definite")
        # te: -sz after s, sz, z; -ol/-el/-öl after the others
        if p == 1 and verb in SIBILANT:
            verb_row(v, p, verb + "sz", ["ending"], never=["harmony", "person"], note="sz after sibilant")
        elif p == 1 and verb != "lak":
            verb_row(v, p, verb + {"back": "ol", "front": "el", "rounded": "öl"}[group], ["ending"],
                     never=["harmony", "person"], note="ol/el overused")

# lakik: -m for én, the -ik kept
verb_row(10, 0, "lakok", ["ending"], never=["person"], note="lakok")
for p, e in enumerate(["om", "sz", "unk", "tok", "nak"]):
    verb_row(10, p, "lakik" + e, ["stem"], ["ik"], note="ik kept")
# van and megy: the stem of another person
for p, typed in [(2, "vanunk"), (3, "vantok"), (0, "vanok"), (4, "vagynak")]:
    verb_row(26, p, typed, ["stem"], never=["harmony"], note="stem van")
verb_row(26, 1, "vagysz", ["stem", "ending"], never=["harmony"], note="own form of te")
for p, typed in [(3, "megytek"), (4, "megynek"), (2, "menünk"), (0, "menek"), (1, "megysz")]:
    verb_row(25, p, typed, ["stem"], never=["harmony"], note="stem megy")
# the right stem with a letter left out or one too many
for p, typed in [(4, "vanak"), (3, "vagyotok"), (2, "vagyonk"), (2, "vagyunkk")]:
    verb_row(26, p, typed, ["spelling"], never=["stem", "harmony"], note="spelling van")
for p, typed in [(4, "menek"), (3, "mentekk"), (2, "megyunk")]:
    verb_row(25, p, typed, ["spelling", "accents"] if typed == "megyunk" else ["spelling"],
             never=["stem"], note="spelling megy")

# Mistakes of other kinds, one by one: (verb, person 1..5, typed, true kinds)
for v, p, typed, ok in [
    (0, 1, "állom", ["definite", "spelling"]), (9, 1, "vártam", ["tense"]), (22, 1, "olvastam", ["tense"]),
    (22, 1, "olvasott", ["tense"]), (18, 2, "siess", ["tense"]), (12, 5, "beszélnék", ["accents", "tense"]),
    (16, 5, "kérnék", ["accents", "tense"]), (0, 5, "állnok", ["spelling"]), (0, 3, "állnok", ["spelling"]),
    (17, 3, "pihenük", ["spelling"]), (15, 4, "gépelünk", ["person"]), (10, 2, "lakom", ["person"]),
    (19, 3, "ülök", ["person"]), (24, 2, "főzöd", ["definite"]), (22, 2, "olvass", ["tense", "ending"]),
    (6, 3, "sétálünk", ["harmony"]), (6, 3, "setalunk", ["accents"]), (12, 5, "beszélnak", ["harmony"]),
    (7, 4, "tanulatok", ["spelling"]), (26, 3, "vagyunk.", ["punctuation"]), (25, 4, "Mentek", ["capitals"]),
    (1, 2, "csinálsz", ["person"]), (23, 2, "keressz", ["ending"]), (21, 2, "mossz", ["ending"]),
    (11, 1, "bérlek", ["stem", "spelling"]), (2, 3, "írjuk", ["definite"]), (14, 4, "fizetitek", ["definite"]),
]:
    verb_row(v, p - 1, typed, ok, note="one by one")

# ---- Basic items: a few of every stretch, hand-picked ------------------------
# item: (verb, person index, expected)
BASIC = {0: ("áll", 2, "állunk"), 2: ("van", 2, "vagyunk"), 4: ("főz", 2, "főzünk"),
         9: ("ír", 2, "írunk"), 15: ("sétál", 3, "sétáltok"), 16: ("olvas", 3, "olvastok"),
         19: ("van", 3, "vagytok"), 25: ("lak", 3, "laktok"), 38: ("van", 4, "vannak"),
         37: ("megy", 4, "mennek"), 40: ("ül", 4, "ülnek"), 43: ("táncol", 4, "táncolnak"),
         45: ("hallgat", 4, "hallgatnak"), 46: ("vár", 0, "várok"), 47: ("lak", 0, "lakom"),
         53: ("olvas", 1, "olvasol"), 51: ("beszél", 1, "beszélsz"), 52: ("sétál", 1, "sétálsz"),
         55: ("főz", 1, "főzöl"), 5: ("bérel", 2, "bérelünk"), 56: ("lak", 2, "lakunk"), 20: ("megy", 3, "mentek"),
         6: ("megy", 2, "megyünk"), 10: ("mos", 2, "mosunk"), 7: ("ül", 2, "ülünk"), 1: ("siet", 2, "sietünk")}
basic = [
    (15, "sétáltak", ["tense", "spelling"], [], ["harmony"]),
    (43, "táncolnok", ["spelling"], [], ["harmony"]),
    (2, "vagyonk", ["spelling"], [], ["harmony"]),
    (40, "ülnök", ["spelling"], [], ["harmony"]),
    (9, "írünk", ["harmony"], ["ír"], []),
    (2, "Vagyunk", ["capitals"], [], ["accent"]),
    (16, "olvasTok", ["capitals"], [], ["accent"]),
    (0, "állnuk", ["spelling"], [], ["person", "close to"]),
    (5, "bérelük", ["spelling"], [], ["person", "close to"]),
    (38, "vanak", ["spelling"], [], ["stem"]),
    (37, "menek", ["spelling"], [], ["stem"]),
    (19, "vagyotok", ["spelling"], [], ["stem"]),
    (46, "várom", ["definite"], ["definite"], []),
    (45, "hallgatják", ["definite"], ["definite"], []),
    (16, "olvassátok", ["definite"], ["definite"], []),
    (53, "olvassz", ["ending"], [], ["harmony", "olvaszt"]),
    (55, "főzsz", ["ending"], [], ["harmony"]),
    (51, "beszélel", ["ending"], [], ["harmony"]),
    (52, "sétálol", ["ending"], [], ["harmony"]),
    (47, "lakok", ["ending"], [], ["person"]),
    (0, "álunk", ["spelling"], [], ["stem"]),
    (45, "halgatnak", ["spelling"], [], ["stem"]),
    (25, "lakiktok", ["stem"], ["ik"], []),
    (4, "főznek", ["person"], ["ők", "mi"], []),
    (4, "fozunk", ["accents"], [], ["capital"]),
]
for item, typed, ok, must, never in basic:
    row("basic", item, 0, typed, ok, must, never, note="basic", answer=BASIC[item][2])

# ---- Exercise 3: sentences written out by hand --------------------------------
# (item, person code, sentence A, sentence B, [(typed, ok, must, never)])
SENTENCES = [
    (0, 22, "A moziba mentek.", "Moziba mentek.", [
        ("A moziban mentek.", ["case"], [], ["harmony"]),
        ("A mozibe mentek.", ["harmony"], ["mozi"], []),
        ("A moziba mennek.", ["person"], ["ők", "ti"], []),
        ("A moziba megytek.", ["stem"], [], ["harmony"]),
        ("Mentek a moziba.", ["order"], [], []),
        ("Moziba.", ["missing-word"], [], []),
        ("Ti a moziba mentek.", ["extra-word"], ["Ti"], []),
        ("A Moziba mentek.", ["capitals"], [], ["accent"]),
        ("A moziba, mentek.", ["punctuation"], [], ["case", "word"]),
        ("Mozziba mentek.", ["spelling"], [], ["case"]),
        ("A moziba menek.", ["spelling"], [], ["stem", "person"]),
    ]),
    (1, 11, "Az egyetem előtt állunk.", "Az egyetem előtt állunk.", [
        ("Az egyetem elött állunk.", ["accents"], [], ["capital"]),
        ("Az egyetem előtt álunk.", ["spelling"], [], ["stem"]),
        ("Az egyetem előtt állnuk.", ["spelling"], [], ["person"]),
        ("Az egyetem előtt állnak.", ["person"], ["ők", "mi"], []),
        ("Az egyetem előtt állünk.", ["harmony"], [], []),
        ("Az egyetemben állunk.", ["missing-word", "case", "meaning"], ["in front of the university"], ["harmony"]),
        ("Az Egyetem előtt állunk.", ["capitals"], [], ["accent"]),
    ]),
    (2, 44, "Önök újságot olvasnak.", "Önök újságot olvasnak.", [
        ("Önök újságat olvasnak.", ["spelling", "ending"], [], ["harmony"]),
        ("Önök újságet olvasnak.", ["harmony"], [], []),
        ("Önök újságt olvasnak.", ["spelling"], [], ["case"]),
        ("Önök újság olvasnak.", ["case"], ["-ot"], ["(-t)"]),
        ("Önök újságot olvastok.", ["person"], ["ti", "önök", "ők"], []),
        ("Önök újságot olvassák.", ["definite"], ["definite"], []),
        ("Onok ujsagot olvasnak.", ["accents"], [], ["capital"]),
        ("Újságot olvasnak.", ["missing-word"], [], []),
        ("Önök olvasnak újságot.", ["order"], [], []),
    ]),
    (3, 2, "Autót bérelsz.", "Egy autót bérelsz.", [
        ("Autot berelsz.", ["accents"], [], ["capital"]),
        ("Autóot bérelsz.", ["spelling"], [], ["case"]),
        ("Autó bérelsz.", ["case"], [], []),
        ("Autót bérelek.", ["person"], ["én", "te"], []),
        ("Autót béreltek.", ["person", "tense"], [], []),
        ("Autót bérelel.", ["ending"], [], ["harmony"]),
        ("Te autót bérelsz.", ["extra-word"], ["Te"], []),
        ("Autót Bérelsz.", ["capitals"], [], ["accent"]),
        ("Autót, bérelsz.", ["punctuation"], [], ["case"]),
        ("Egy autót bérelsz!", ["punctuation"], [], []),
    ]),
    (4, 1, "Szállodában lakom.", "A szállodában lakom.", [
        ("A szállodában lakok.", ["ending"], [], ["person"]),
        ("Szállodaban lakom.", ["stem", "accents"], [], ["capital"]),
        ("Szállodába lakom.", ["case"], [], []),
        ("Szállodában lakik.", ["person"], ["ő", "én"], []),
        ("Szállodában lakikom.", ["stem"], ["ik"], []),
        ("Szalodaban lakom.", ["spelling", "accents"], [], ["case"]),
    ]),
    (5, 2, "A konyhában főzöl.", "A konyhában főzöl.", [
        ("A konyhaban fozol.", ["accents"], [], ["capital", "harmony"]),
        ("A konyhában főzel.", ["harmony"], ["főz"], []),
        ("A konyhában főzsz.", ["ending"], [], ["harmony"]),
        ("A konyhában főzöd.", ["definite"], ["definite"], []),
        ("A konyhába főzöl.", ["case"], [], []),
        ("A konyhában főzök.", ["person"], ["én", "te"], []),
        ("A konyhában, főzöl.", ["punctuation"], [], []),
    ]),
    (21, 3, "Péter a klubban táncol.", "Péter egy klubban táncol.", [
        ("Péter a kluban táncol.", ["spelling"], [], ["case"]),
        ("Péter a klubba táncol.", ["case"], [], []),
        ("Péter a klubban táncolnak.", ["person"], ["ők"], []),
        ("Péter a klubban táncolt.", ["tense"], ["past"], []),
        ("Peter a klubban tancol.", ["accents"], [], []),
    ]),
    (6, 3, "Anna ezer forintot fizet.", "Anna 1000 forintot fizet.", [
        ("Anna ezer forintott fizet.", ["spelling"], [], ["case"]),
        ("Anna ezer forint fizet.", ["case"], ["-ot"], ["(-t)"]),
        ("Anna ezer forintot fizeti.", ["definite"], ["definite"], []),
        ("Anna ezer forintet fizet.", ["harmony"], [], []),
    ]),
    (9, 1, "Taxit keresek.", "Egy taxit keresek.", [
        ("Taxiot keresek.", ["spelling"], [], ["case"]),
        ("Taxit keresem.", ["definite"], ["definite"], []),
        ("Taxit keresel.", ["person"], ["te", "én"], []),
        ("Taxit keresok.", ["harmony"], [], []),
        ("Taxit kereszek.", ["spelling"], [], []),
    ]),
    (23, 11, "A kertben sétálunk.", "A kertben sétálunk.", [
        ("A kertben, sétálunk.", ["punctuation"], [], ["case"]),
        ("A kertbe sétálunk.", ["case"], [], []),
        ("A kertban sétálunk.", ["harmony"], [], []),
        ("A kertben sétáltunk.", ["tense"], ["past"], []),
        ("A kertben sétálnuk.", ["spelling"], [], ["person"]),
        ("A kertben setalunk.", ["accents"], [], []),
    ]),
    (12, 1, "Az autóban ülök.", "Egy autóban ülök.", [
        ("Az autóban ülek.", ["harmony"], [], []),
        ("Az autóba ülök.", ["case"], [], []),
        ("Az autóban ülsz.", ["person"], ["te", "én"], []),
        ("Az autoban ulok.", ["accents"], [], []),
    ]),
    (11, 2, "A bankba mész.", "Bankba mész.", [
        ("A bankba megysz.", ["stem"], [], ["harmony"]),
        ("A bankban mész.", ["case"], [], []),
        ("A bankba mesz.", ["accents"], [], []),
        ("A bankba megy.", ["person"], ["ő", "te"], []),
    ]),
    (29, 22, "Az egyetemre mentek.", "Az egyetemre mentek.", [
        ("Az egyetemre mennek.", ["person"], ["ők", "ti"], []),
        ("Az egyetemre megytek.", ["stem"], [], []),
        ("Az egyetembe mentek.", ["case"], [], []),
        ("Az egyetemra mentek.", ["harmony"], [], []),
    ]),
    (19, 2, "Angolul beszélsz.", "Angolul beszélsz.", [
        ("Angolul beszélel.", ["ending"], [], ["harmony"]),
        ("Angolül beszélsz.", ["harmony"], [], []),
        ("Angolul beszélek.", ["person"], ["én", "te"], []),
        ("Angolul beszéled.", ["definite"], ["definite"], []),
    ]),
    (20, 1, "Zenét hallgatok.", "Zenét hallgatok.", [
        ("Zenét hallgatom.", ["definite"], ["definite"], []),
        ("Zenét halgatok.", ["spelling"], [], ["stem"]),
        ("Zenet hallgatok.", ["stem", "accents"], [], []),
        ("Zenét hallgatek.", ["harmony"], [], []),
    ]),
    (13, 2, "A könyvtárban olvasol.", "A könyvtárban olvasol.", [
        ("A könyvtárban olvassz.", ["ending"], [], ["harmony", "olvaszt"]),
        ("A könyvtárban olvasel.", ["harmony"], [], []),
        ("A konyvtarban olvasol.", ["accents"], [], []),
        ("A könyvtárba olvasol.", ["case"], [], []),
    ]),
    (31, 22, "Az étteremben ültök.", "Egy étteremben ültök.", [
        ("Az étteremben ültek.", ["harmony", "tense"], [], []),
        ("Az étterembe ültök.", ["case"], [], []),
        ("Az étteremben ülnök.", ["spelling"], [], ["harmony"]),
        ("Az étteremban ültök.", ["harmony"], [], []),
    ]),
    (10, 1, "Televíziót nézek.", "Tévét nézek.", [
        ("Tévét nézem.", ["definite"], ["definite"], []),
        ("Tévét nézsz.", ["person", "ending", "spelling"], [], []),
        ("Tevet nezek.", ["accents"], [], []),
    ]),
]
SENTENCES += [
    (0, 22, "A moziba mentek.", "Moziba mentek.", [
        ("A moziba megyek.", ["person"], ["én", "ti"], []),
        ("A mozi mentek.", ["case"], [], []),
        ("A moziban mennek.", ["case", "person"], ["\"moziban\"", "ők"], []),
    ]),
    (3, 2, "Autót bérelsz.", "Egy autót bérelsz.", [
        ("Autót bérel.", ["person"], ["ő", "te"], []),
        ("Az autót bérelsz.", ["extra-word"], ["Az"], []),
    ]),
    (4, 1, "Szállodában lakom.", "A szállodában lakom.", [
        ("Szállodában lakunk.", ["person"], ["mi", "én"], []),
        ("Egy szállodában lakom.", ["extra-word"], ["Egy"], []),
    ]),
    (5, 2, "A konyhában főzöl.", "A konyhában főzöl.", [
        ("A konyhában főzz.", ["tense"], [], []),
        ("A konyhában főztél.", ["tense"], ["past"], []),
    ]),
    (4, 3, "Kis úr szállodában lakik.", "Kis úr a szállodában lakik.", [
        ("Kis úr szállodában lakikom.", ["spelling", "ending"], [], []),
        ("Kis úr szállodában lak.", ["spelling", "stem"], [], []),
    ]),
    (6, 3, "Anna ezer forintot fizet.", "Anna 1000 forintot fizet.", [
        ("Anna ezer forintot fizetik.", ["definite", "person"], [], []),
    ]),
    (15, 1, "A téren várok.", "Egy téren várok.", [
        ("A téren várom.", ["definite"], ["definite"], []),
        ("A térben várok.", ["case"], [], []),
    ]),
    (14, 2, "A postára sietsz.", "A postára sietsz.", [
        ("A postába sietsz.", ["case"], ["needs \"to\""], ["\"onto\""]),
        ("A postán sietsz.", ["case"], [], []),
        ("A postára sietek.", ["person"], ["én", "te"], []),
    ]),
    (19, 2, "Angolul beszélsz.", "Angolul beszélsz.", [
        ("Angolúl beszélsz.", ["accents"], [], []),
        ("Angol beszélsz.", ["case"], [], []),
    ]),
    (18, 2, "Az irodában gépelsz.", "Az irodában gépelsz.", [
        ("Az irodában gépelel.", ["ending"], [], ["harmony"]),
        ("Az irodaban gepelsz.", ["accents", "stem"], [], []),
    ]),
    (29, 22, "Az egyetemre mentek.", "Az egyetemre mentek.", [
        ("Az egyetemen mentek.", ["case"], [], []),
    ]),
    (20, 1, "Zenét hallgatok.", "Zenét hallgatok.", [
        ("Zenét hallgatsz.", ["person"], ["te", "én"], []),
    ]),
]
for item, code, a, b, slips in SENTENCES:
    for typed, ok, must, never in slips:
        row("sentence", item, code, typed, ok, must, never, a=a, b=b, note="sentence", answer=a[:-1])

# ---- Exercise 5: gaps, persons 0 Péter, 1 én, 2 te, 3 mi, 4 ti, 5 ők --------
GAPS = [
    # gap, person, stem box, typed, ok, must, never
    (0, 4, "", "iktok", ["stem"], ["ik"], []),
    (0, 3, "", "ikunk", ["stem"], ["ik"], []),
    (0, 5, "", "iknak", ["stem"], ["ik"], []),
    (0, 1, "", "ik", ["person"], ["Péter", "én"], []),
    (0, 1, "", "ok", ["ending"], [], ["person"]),
    (0, 5, "", "nák", ["accents"], [], []),
    (0, 4, "", "tak", ["tense", "spelling"], [], ["harmony"]),
    (1, 0, "", "ben", ["case"], [], ["harmony"]),
    (1, 0, "", "on", ["harmony"], ["Kelenföld"], []),
    (1, 0, "", "Ön", ["capitals"], [], ["accent"]),
    (1, 0, "", "ön.", ["punctuation"], [], []),
    (2, 1, "", "ük", ["spelling"], [], ["harmony"]),
    (2, 4, "", "tok", ["harmony"], ["bérel"], []),
    (2, 2, "", "el", ["ending"], [], ["harmony"]),
    (3, 0, "szoba", "t", ["stem"], ["szoba"], []),
    (3, 0, "Szobá", "t", ["capitals"], [], ["accent"]),
    (3, 0, "szobá", "tt", ["spelling"], [], []),
    (3, 0, "szobá", "ot", ["spelling"], [], ["harmony"]),
    (4, 0, "", "ben", ["case"], [], ["harmony"]),
    (4, 0, "", "re", ["case"], ["\"to\""], ["harmony", "\"onto\""]),
    (4, 0, "", "ön", ["harmony"], [], []),
    (5, 1, "", "om", ["definite"], ["definite"], []),
    (5, 4, "", "tak", ["tense", "spelling"], [], ["harmony"]),
    (5, 3, "", "nuk", ["spelling"], [], ["person"]),
    (6, 2, "", "el", ["ending"], [], ["harmony"]),
    (6, 3, "", "unk", ["harmony"], [], []),
    (7, 0, "", "ul", ["harmony"], ["német"], []),
    (7, 0, "", "ül.", ["punctuation"], [], []),
    (8, 0, ", francia", "ul", ["stem"], ["francia"], []),
    (9, 0, "", "ül", ["harmony"], [], []),
    (10, 4, "", "nak", ["person"], ["ők", "ti"], []),
    (11, 0, "A szoba", "ban", ["stem"], ["szoba"], []),
    (11, 0, "A szobá", "ben", ["harmony"], [], []),
    (11, 0, "A szobá", "ba", ["case"], [], []),
    (12, 4, "", "tek", ["harmony", "tense"], [], []),
    (12, 5, "", "nök", ["spelling"], [], ["harmony"]),
    (12, 2, "", "öl", ["ending"], [], ["harmony"]),
    (13, 3, "", "unk", ["harmony"], [], []),
    (14, 0, "", "at", ["spelling", "ending"], [], ["harmony"]),
    (14, 0, "", "et", ["harmony"], [], []),
    (14, 0, "", "t", ["spelling", "ending"], [], ["case", "(-t)"]),
    (15, 1, "", "om", ["definite"], ["definite"], []),
    (15, 2, "", "sz", ["ending"], [], ["harmony"]),
    (15, 4, "", "sátok", ["definite"], ["definite"], []),
    (16, 0, "és zene", "t", ["stem"], ["zene"], []),
    (17, 1, "", "om", ["definite"], ["definite"], []),
    (17, 4, "", "tak", ["tense", "spelling"], [], ["harmony"]),
    (0, 1, "", "m", ["spelling"], [], []),
    (2, 4, "", "tek.", ["punctuation"], [], []),
    (4, 0, "", "em", ["spelling", "case"], [], ["harmony"]),
    (4, 0, "", "be", ["case"], [], []),
    (7, 0, "", "űl", ["accents"], [], []),
    (10, 1, "", "om", ["definite"], ["definite"], []),
    (13, 1, "", "ök", ["harmony"], [], []),
    (14, 0, "", "ott", ["spelling"], [], ["case"]),
    (15, 2, "", "ol.", ["punctuation"], [], []),
    (17, 5, "", "nek", ["harmony"], [], []),
    (1, 0, "", "en", ["harmony"], [], []),
    (1, 0, "", "ba", ["spelling", "case", "harmony"], [], []),
]
# The word each gap completes, and its endings for Péter, én, te, mi, ti, ők.
GAP_WORDS = {
    0: ("lak", ["ik", "om", "sz", "unk", "tok", "nak"]), 1: ("Kelenföld", ["ön"] * 6),
    2: ("bérel", ["", "ek", "sz", "ünk", "tek", "nek"]), 3: ("szobá", ["t"] * 6), 4: ("egyetem", ["en"] * 6),
    5: ("tanul", ["", "ok", "sz", "unk", "tok", "nak"]), 6: ("beszél", ["", "ek", "sz", "ünk", "tek", "nek"]),
    7: ("német", ["ül"] * 6), 8: ("franciá", ["ul"] * 6), 9: ("magyar", ["ul"] * 6),
    10: ("tanul", ["", "ok", "sz", "unk", "tok", "nak"]), 11: ("szobá", ["ban"] * 6),
    12: ("ül", ["", "ök", "sz", "ünk", "tök", "nek"]), 13: ("pihen", ["", "ek", "sz", "ünk", "tek", "nek"]),
    14: ("Újság", ["ot"] * 6), 15: ("olvas", ["", "ok", "ol", "unk", "tok", "nak"]), 16: ("zené", ["t"] * 6),
    17: ("hallgat", ["", "ok", "sz", "unk", "tok", "nak"]),
}

# ---- Slips that have a name of their own ----------------------------------------
# Each of these was once explained falsely or vaguely ("There is no such word",
# "not in the right order"): what a true and specific explanation says.
ONE_BY_ONE = [
    # -ik verbs: a te form in -ol/-el/-öl is old and literary, not a wrong rule
    ("extended", 10, 2, "lakol", ["ending", "stem"], ["-sz", "old"], ["only after"]),
    ("basic", 47, 0, "lakol", ["person"], ["te", "én"], ["only after"]),
    # the -sz of te merged into a stem ending in s
    ("basic", 53, 0, "olvasz", ["ending"], ["-ol", "olvas"], ["no such word"]),
    ("extended", 22, 2, "olvasz", ["ending"], ["-ol"], ["no such word"]),
    ("extended", 21, 2, "mosz", ["ending"], ["-ol"], ["no such word"]),
    ("extended", 23, 2, "keresz", ["ending"], ["-el"], ["no such word"]),
    # -ik kept before an ending that is not the asked one
    ("extended", 10, 1, "lakikok", ["stem"], ["-ik"], ["no such word"]),
    ("basic", 56, 0, "lakikunk", ["stem"], ["-ik"], []),
    # the stem of megy (or van) kept before a whole form
    ("basic", 37, 0, "megymennek", ["stem"], ["\"megy\""], ["no such word"]),
    ("basic", 20, 0, "megymentek", ["stem"], ["\"megy\""], ["no such word"]),
    ("basic", 6, 0, "megymegyünk", ["stem"], ["\"megy\""], ["no such word"]),
    ("extended", 25, 1, "megymegyek", ["stem"], ["\"megy\""], ["no such word"]),
    ("basic", 19, 0, "vanvagytok", ["stem"], ["\"van\""], ["no such word"]),
    # a definite ending on a stem where the indefinite one is asked
    ("extended", 22, 3, "olvasjuk", ["definite"], ["definite", "-juk"], ["no such word"]),
    ("extended", 24, 3, "főzjük", ["definite"], ["definite", "-jük"], ["no such word"]),
    ("extended", 23, 3, "keresjük", ["definite"], ["definite"], ["no such word"]),
    ("basic", 10, 0, "mosjuk", ["definite"], ["definite"], ["no such word"]),
    ("extended", 22, 5, "olvasják", ["definite"], ["definite"], ["no such word"]),
    # irregular te forms that are also said
    ("extended", 25, 2, "mégy", ["stem", "ending"], ["also said"], ["stem as shown", "goes on the stem"]),
    # a vowel of the other group in an ending that is no form of it
    ("basic", 7, 0, "ülonk", ["harmony"], ["ül"], ["one letter"]),
    ("extended", 19, 3, "ülonk", ["harmony"], ["ül"], ["one letter"]),
    ("basic", 1, 0, "sietonk", ["harmony"], ["siet"], ["one letter"]),
    ("basic", 40, 0, "ülnok", ["harmony"], ["ül"], ["one letter"]),
    ("extended", 11, 3, "bérelonk", ["harmony"], ["bérel"], ["one letter"]),
    # accents in the stem and the harmony in the ending: both
    ("extended", 12, 5, "beszelnak", ["accents", "harmony"], ["accent", "harmony"], ["no such word"]),
    ("extended", 6, 5, "setalnek", ["accents", "harmony"], ["accent", "harmony"], ["no such word"]),
]
for exercise, item, person, typed, ok, must, never in ONE_BY_ONE:
    if exercise == "basic":
        row("basic", item, 0, typed, ok, must, never, note="named", answer=BASIC[item][2])
    else:
        row("extended", item, person, typed, ok, must, never, note="named",
            answer=VERBS[item][1][person - 1])

# Exercise 3: (item, person code, sentence A, sentence B, [(typed, ok, must, never)])
NAMED_SENTENCES = [
    (4, 2, "Szállodában laksz.", "A szállodában laksz.", [
        ("Szállodában lakol.", ["ending", "stem"], ["-sz", "old"], ["only after"]),
    ]),
    (4, 1, "Szállodában lakom.", "A szállodában lakom.", [
        ("Szállodában lakol.", ["person"], ["te", "én"], ["only after"]),
        ("Szállodában lakikok.", ["stem"], ["-ik"], ["no such word"]),
        ("Szállodaba lakom.", ["stem", "case"], ["\"á\"", "\"into\""], ["no such word"]),
        ("Én szállodában lakom.", ["extra-word"], ["(én)"], []),
    ]),
    (1, 11, "Az egyetem előtt állunk.", "Az egyetem előtt állunk.", [
        ("Állunk.", ["missing-word"], ["Three words", "at the start"], ["A word is"]),
        ("Egyetem előtt.", ["missing-word"], ["Two words", "at the start", "after \"előtt\""], ["A word is"]),
        ("Állunk az egyetem előtt.", ["order"], ["place first", "\"az egyetem előtt\""],
         ["not in the right order", "wrong"]),
        ("Előtt az egyetem állunk.", ["order"], ["\"Előtt\""], ["Hungarian", "wrong"]),
        ("Mi az egyetem előtt állunk.", ["extra-word"], ["(mi)"], []),
        ("Az egyetemen állunk.", ["meaning", "case"], ["in front of the university"],
         ["2nd word starts", "egyetem előtt"]),
        ("A szobában állunk.", ["meaning"], ["in front of the university"], ["egyetem"]),
    ]),
    (2, 44, "Önök újságot olvasnak.", "Önök újságot olvasnak.", [
        ("Olvasnak.", ["missing-word"], ["Two words", "at the start"], ["A word is"]),
        ("Önök olvasnak újságot.", ["order"], ["object first", "\"újságot\""], ["not in the right order", "wrong"]),
        ("Olvasnak önök újságot.", ["order"], ["\"önök\""], ["not in the right order", "wrong"]),
        ("Önök ujságat olvasnak.", ["accents", "ending", "spelling"], ["accent", "linking vowel"], ["no such word"]),
        ("Önök újságot olvasol.", ["person"], ["te", "ők"], []),
        ("Önök újságat olvastok.", ["ending", "spelling", "person"], ["linking vowel", "ti"], []),
    ]),
    (0, 22, "A moziba mentek.", "Moziba mentek.", [
        ("Mentek a moziba.", ["order"], ["place first", "\"a moziba\""], ["not in the right order", "wrong"]),
        ("Ti moziba mentek.", ["extra-word"], ["\"Ti\"", "(ti)"], []),
        ("Ti a moziba mennek.", ["extra-word", "person"], ["(ti)", "ők"], []),
    ]),
    (5, 2, "A konyhában főzöl.", "A konyhában főzöl.", [
        ("Főzöl a konyhában.", ["order"], ["place first", "Hungarian"], ["not in the right order", "wrong"]),
        ("A konyhaben főzöl.", ["stem", "harmony"], ["\"á\"", "harmony"], ["no such word"]),
        ("A konyhaban főzel.", ["stem", "harmony"], ["\"á\"", "főz"], []),
        ("Te a konyhában főzöl.", ["extra-word"], ["(te)"], []),
    ]),
    (3, 2, "Autót bérelsz.", "Egy autót bérelsz.", [
        ("Bérelsz autót.", ["order"], ["object first"], ["not in the right order", "wrong"]),
        ("Autó bérelek.", ["case", "person"], ["-t", "én"], []),
    ]),
    (19, 2, "Angolul beszélsz.", "Angolul beszélsz.", [
        ("Beszélsz angolul.", ["order"], ["\"angolul\""], ["not in the right order", "wrong"]),
    ]),
    (6, 3, "Anna ezer forintot fizet.", "Anna 1000 forintot fizet.", [
        ("Anna fizet.", ["missing-word"], ["Two words", "after \"Anna\""], ["A word is"]),
        ("Anna fizet ezer forintot.", ["order"], ["object first"], ["not in the right order", "wrong"]),
        ("Anna ezer forintat fizet.", ["spelling", "ending"], ["linking vowel"], []),
    ]),
    (7, 3, "Péter kalapot kér.", "Péter egy kalapot kér.", [
        ("Péter kalap kér.", ["case"], ["-ot"], ["(-t)"]),
        ("Péter kalapat kér.", ["spelling", "ending"], ["linking vowel"], []),
    ]),
    (17, 3, "Kati gyümölcsöt vesz.", "Kati gyümölcsöt vesz.", [
        ("Kati gyümölcs vesz.", ["case"], ["-öt"], ["(-t)"]),
    ]),
    (30, 33, "Ők a klubban táncolnak.", "Ők egy klubban táncolnak.", [
        ("Ők táncolnak.", ["missing-word"], ["Two words", "after \"Ők\""], ["A word is"]),
    ]),
    (16, 3, "A tanárnő a szobában pihen.", "A tanárnő a szobában pihen.", [
        ("A tanárnő pihen.", ["missing-word"], ["Two words", "after \"tanárnő\""], ["A word is"]),
        ("A tanárnő a szobaben pihen.", ["stem", "harmony"], ["\"á\"", "harmony"], ["no such word"]),
    ]),
    (18, 2, "Az irodában gépelsz.", "Az irodában gépelsz.", [
        ("Az irodaben gépelsz.", ["stem", "harmony"], ["\"á\"", "harmony"], ["no such word"]),
    ]),
    (14, 2, "A postára sietsz.", "A postára sietsz.", [
        ("A postán sietsz.", ["case"], ["\"at\"", "needs \"to\""], ["\"onto\"", "\"on\""]),
    ]),
    (29, 22, "Az egyetemre mentek.", "Az egyetemre mentek.", [
        ("Az egyetembe mentek.", ["case"], ["needs \"to\""], ["\"onto\""]),
        ("Az egyetemen mentek.", ["case"], ["\"at\"", "needs \"to\""], ["\"onto\"", "\"on\""]),
    ]),
    (11, 2, "A bankba mész.", "Bankba mész.", [
        ("A bankba mégy.", ["stem", "ending"], ["also said"], ["stem as shown", "goes on the stem"]),
    ]),
    (12, 1, "Az autóban ülök.", "Egy autóban ülök.", [
        ("Az autoban ülek.", ["accents", "harmony"], ["accent", "harmony"], []),
    ]),
    (23, 11, "A kertben sétálunk.", "A kertben sétálunk.", [
        ("A kertbe sétáltunk.", ["case", "tense"], ["\"into\"", "past"], []),
    ]),
    (9, 1, "Taxit keresek.", "Egy taxit keresek.", [
        ("Taxi keresem.", ["case", "definite"], ["-t", "definite"], []),
    ]),
    (15, 1, "A téren várok.", "Egy téren várok.", [
        ("A parkban várok.", ["meaning"], ["in the square"], ["tér"]),
    ]),
    (28, 11, "A könyvtárban olvasunk.", "A könyvtárban olvasunk.", [
        ("A könyvtárban olvasjuk.", ["definite"], ["definite"], ["no such word"]),
    ]),
    (13, 2, "A könyvtárban olvasol.", "A könyvtárban olvasol.", [
        ("A könyvtárban olvasz.", ["ending"], ["-ol"], ["no such word"]),
    ]),
]
for item, code, a, b, slips in NAMED_SENTENCES:
    for typed, ok, must, never in slips:
        row("sentence", item, code, typed, ok, must, never, a=a, b=b, note="named", answer=a[:-1])

GAPS += [
    # the lengthening typed in the gap instead of the stem box
    (3, 0, "szoba", "át", ["stem"], ["stem box", "-t"], ["too many"]),
    (11, 2, "A szoba", "ában", ["stem"], ["stem box", "-ban"], ["too many"]),
    (8, 1, ", francia", "ául", ["stem"], ["stem box", "-ul"], ["too many"]),
    (16, 3, "és zene", "ét", ["stem"], ["stem box", "-t"], ["too many"]),
    (11, 0, "A szoba", "ába", ["stem", "case"], ["stem box", "\"into\""], ["too many"]),
    # the lengthening missed and another slip in the same word
    (11, 0, "A szoba", "ben", ["stem", "harmony"], ["\"á\"", "harmony"], ["no such word"]),
    (8, 0, ", francia", "ül", ["stem", "harmony"], ["\"á\"", "harmony"], []),
    (3, 0, "szoba", "tt", ["stem", "spelling"], ["\"á\"", "\"t\""], ["no such word"]),
    # -ik verbs, te: the old form
    (0, 2, "", "ol", ["ending", "stem"], ["-sz", "old"], ["only after"]),
    (0, 1, "", "ikok", ["stem"], ["-ik"], ["no such word"]),
    (15, 3, "", "juk", ["definite"], ["definite"], ["no such word"]),
    (12, 3, "", "onk", ["harmony"], ["ül"], ["one letter"]),
]

for gap, person, stem, typed, ok, must, never in GAPS:
    word, suffixes = GAP_WORDS[gap]
    before = stem.split()[-1].lstrip(",") if stem else word
    row("gap", gap, person, typed, ok, must, never, stem=stem, note="gap", answer=word + suffixes[person],
        whole=before + typed)

out = sys.stdout
out.write("# exercise\titem\tperson\tstem\ttyped\tok\tmust\tnever\ta\tb\tanswer\tnote\twhole\n")
seen = set()
for r in rows:
    key = r[:5]
    if key in seen:
        continue
    seen.add(key)
    out.write("\t".join(r) + "\n")
