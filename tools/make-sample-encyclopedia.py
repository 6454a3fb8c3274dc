#!/usr/bin/env python3
"""Writes the bundled sample encyclopedia, data/sample/wsEncyclopediaTitles.txt and
data/sample/wsEncyclopedia.txt, in the exact form the editor's writer produces after a table of
contents build: headers by number, entries by title, UTF-16LE with a byte-order mark, CR LF line
ends and one trailing zero byte.

The galaxy, its worlds and its peoples are invented for this sample. Keywords are single words:
the titles file deletes the first double quote of every value, so a quoted keyword cannot
survive a save. The Glass Rift links to "WSHA", the Shard Worlds, which have no page yet; that
link is left dangling on purpose, as a modder's first exercise.

Run from anywhere: python3 tools/make-sample-encyclopedia.py
"""

import pathlib

HEADERS = [
    ("Worlds of the Spiral", ["WARD", "WBEL", "WMIR", "WSEL", "WKES", "WVAR", "WDUN"]),
    ("Peoples", ["PHAL", "PVOR", "PSEM", "PTKA", "PQUI", "PDRI", "PASH"]),
    ("Starships", ["SLAN", "SWAS", "SHAR", "SBUL", "SFRE", "SMER", "SSEE"]),
    ("Technologies", ["TFOL", "TGAT", "TSHI", "TLAN", "TTER", "TSYN", "TVAU"]),
    ("History", ["HFIR", "HCOM", "HCIN", "HSIL", "HREC", "HRET"]),
    ("Stars and Wonders", ["XHEA", "XAMB", "XTWI", "XMAW", "XRIF", "XPIL"]),
]

# tag, title, picture, keywords, related, body text ("/p" starts a paragraph)
ENTRIES = [
    ("EROR", "Welcome to the Encyclopedia", "Galaxy_Orrin", "welcome,help,encyclopedia",
     "WARD,PHAL,HCOM,XHEA",
     "Welcome, traveller, to the Galactic Encyclopedia of the Orrin Spiral./p"
     "Choose a topic from the table of contents on the left, browse the subject index by "
     "letter, or type a keyword and press FIND IT. Pictures and related topics appear beside "
     "every page, so one good question usually leads to three more./p"
     "Every page here can be edited, and new ones added. The Spiral is large, and its "
     "scholars are few."),

    # Worlds of the Spiral
    ("WARD", "Ardesh", "Planet_Ardesh", "planet,desert,Hallan,capital,Compact",
     "PHAL,HCOM,WSEL,SMER,TTER",
     "Ardesh is a warm desert world of red mesas and deep salt canyons, and the seat of the "
     "Hallan Compact. Its capital, Ammar Deep, is cut into the walls of the Great Canyon, "
     "where the shade keeps the streets cool at midday./p"
     "Water on Ardesh is older than its cities: it is drawn from fossil aquifers two "
     "kilometres down, and every Hallan child learns the Ledger of Wells before learning to "
     "read."),
    ("WBEL", "Belisar", "Planet_Belisar", "planet,ocean,Semmari,cities",
     "PSEM,TSHI,SMER,XTWI",
     "Belisar has no land worth the name. Its single ocean is forty kilometres deep, warmed "
     "from below by vents that the Semmari have farmed for ten thousand years./p"
     "Visitors live in the floating cities of the surface, great rafts of woven kelp-steel "
     "that drift with the currents and meet once a year at the Gathering of Tides."),
    ("WMIR", "Miradel", "planet_Miradel", "planet,garden,vault,seeds",
     "TVAU,TTER,HSIL,SSEE",
     "Miradel is a garden world, and a deliberate one. Its forests were planted by the first "
     "terraformers from seed stored in the great vaults beneath its poles./p"
     "During the Long Silence the vault keepers of Miradel sealed the doors and waited three "
     "centuries. When they opened them again, they found the forests had kept the world "
     "better than any keeper could."),
    ("WSEL", "Selenne", "Planet_Selenne", "planet,twilight,terminator,treaty",
     "HCOM,PQUI,WARD,PHAL",
     "Selenne always shows the same face to its star. One half burns, the other freezes, and "
     "between them runs the Terminator, a ring of cities in endless dusk./p"
     "Because no nation owns the twilight, Selenne became the neutral ground of the Spiral: "
     "the Compact was signed in the Hall of Long Shadows, and the Quillfolk keep their "
     "greatest archive there."),
    ("WKES", "Kessaro", "Moon_Kessaro", "moon,ice,mining,Tkaani",
     "PTKA,SFRE,TLAN,XMAW",
     "Kessaro is an ice moon of the gas giant Ombre, mined for the rare crystal lattices that "
     "grow in its frozen seas./p"
     "The Tk\u2019aani call Kessaro their cradle and regard the mines with grave suspicion. "
     "Every shaft must be agreed with the eldest lattice-mind, a negotiation that can take a "
     "human lifetime."),
    ("WVAR", "Varnhold", "Planet_Varnhold", "planet,fortress,gravity,shipyards",
     "SBUL,SHAR,HCIN,TSHI,PHAL",
     "Varnhold is a heavy world, where a visitor weighs twice what they weigh at home. Its "
     "people are short, broad and patient, and they build the finest warships in the "
     "Spiral./p"
     "The orbital yards of Varnhold launched the first Bulwark dreadnought in the last year "
     "of the Cinder War. The yards have not been idle since."),
    ("WDUN", "Dunmarrow", "Planet_Dunmarrow", "planet,ash,ruins,war",
     "HCIN,PASH,HREC,XPIL",
     "Dunmarrow was once the richest farming world of the rimward lanes. The Cinder War "
     "ended there, and so did its harvests: the sky is still grey with ash./p"
     "Pilgrims come to walk the Road of Cinders, and the Ashborn who stayed behind guide them "
     "for a fair price."),

    # Peoples
    ("PHAL", "Hallan", "Species_Hallan", "Hallan,people,traders,Compact",
     "WARD,HFIR,HCOM,PVOR,SMER",
     "The Hallan are traders, lawyers and storytellers, in about that order. They founded "
     "the Compact and still argue about its every clause./p"
     "A Hallan contract is sealed by sharing water, and breaking one is the only crime their "
     "old law punished with exile."),
    ("PVOR", "Vorrith", "Species_Vorrith", "Vorrith,people,chorus,hive",
     "HFIR,PHAL,TSYN,SLAN",
     "The Vorrith are six-limbed and live in choruses of forty to four hundred. A chorus "
     "thinks together by song, and a Vorrith alone is said to be \u201conly half a "
     "sentence\u201d./p"
     "Their first meeting with the Hallan went badly for a week and then very well: the "
     "Vorrith had mistaken Hallan haggling for a hymn."),
    ("PSEM", "Semmari", "Species_Semmari", "Semmari,people,ocean,Belisar",
     "WBEL,TSHI,PQUI,XTWI",
     "The Semmari are the people of the Belisar deeps: long, luminous and unhurried. They "
     "speak in patterns of light and answer questions a season after they are asked./p"
     "The lattice shields that guard every ship of the Spiral began as Semmari pressure "
     "screens."),
    ("PTKA", "Tkaani", "Species_Tkaani", "Tkaani,people,crystal,Kessaro",
     "WKES,TSYN,PQUI,XRIF",
     "The Tk\u2019aani are crystalline minds that grow in the frozen seas of Kessaro. A "
     "young one is the size of a hand; the eldest lattice-mind fills a cavern and remembers "
     "the moon\u2019s birth./p"
     "They trade in patience and in music, and they are the only people who have heard the "
     "Glass Rift sing."),
    ("PQUI", "Quillfolk", "Species_Quillfolk", "Quillfolk,people,archive,scholars",
     "WSEL,HSIL,PTKA,PSEM,HRET",
     "The Quillfolk are feathered archivists who believe that nothing true should be "
     "forgotten and nothing false written down. This encyclopedia owes them most of its "
     "pages./p"
     "Their archive at Selenne survived the Long Silence on paper, stone and memory."),
    ("PDRI", "Drifters", "Species_Drifters", "Drifters,people,nomads,ships",
     "SFRE,SMER,TFOL,XAMB",
     "The Drifters are no single people but a fleet: families of every species who were "
     "born aboard and mean to die aboard. Their ships are patched, proud and very old./p"
     "Drifter pilots know the back roads of the fold better than any chart, and sell that "
     "knowledge dearly."),
    ("PASH", "Ashborn", "Species_Ashborn", "Ashborn,people,Dunmarrow,survivors",
     "WDUN,HCIN,HREC,PHAL",
     "The Ashborn are the grandchildren of those who refused to leave Dunmarrow after the "
     "Cinder War. They farm under glass, mine the old battlefields for salvage, and keep the "
     "names of the dead./p"
     "An Ashborn greeting asks \u201cwhat did you carry here?\u201d and expects an honest "
     "answer."),

    # Starships
    ("SLAN", "Lantern Scout", "SHIP_Lantern", "ship,scout,explorer",
     "TFOL,PVOR,XAMB,SWAS",
     "The Lantern is a small, quick scout with a crew of three and a very large lamp. Its "
     "sensor mast can map a star system in a day./p"
     "Lanterns found most of the worlds in this encyclopedia, and several of the hazards."),
    ("SWAS", "Wasp Interceptor", "SHIP_Wasp", "ship,fighter,interceptor",
     "SHAR,TLAN,SBUL,HCIN",
     "The Wasp is a single-seat interceptor that carries more engine than hull. Wasps fly in "
     "swarms of twelve and are launched from the bays of frigates and dreadnoughts./p"
     "Pilots say a Wasp forgives nothing and forgets nothing, which is why they love it."),
    ("SHAR", "Harrow Frigate", "SHIP_Harrow", "ship,frigate,escort,warship",
     "SBUL,SWAS,TLAN,TSHI,WVAR",
     "The Harrow is the workhorse of every navy in the Spiral: fast enough to chase, strong "
     "enough to stay. Most Harrows spend their lives escorting convoys rather than fighting "
     "battles./p"
     "A Harrow carries two lance batteries and a wing of four Wasps."),
    ("SBUL", "Bulwark Dreadnought", "SHIP_Bulwark", "ship,dreadnought,warship,Varnhold",
     "WVAR,TSHI,TLAN,SHAR,HCIN",
     "The Bulwark is the largest warship ever built in the Spiral, a moving fortress with "
     "eleven shield layers and a crew of four thousand./p"
     "Only nine have been launched. Each is named after a virtue, and the Varnhold yards "
     "will not say which virtue the tenth will bear."),
    ("SFRE", "Freehauler", "SHIP_Freehauler", "ship,cargo,trade,Drifters",
     "PDRI,WKES,SMER,TFOL",
     "The Freehauler is a cargo ship of simple design and endless variety. Its frame is "
     "standard; everything else is whatever its owners could afford, steal or invent./p"
     "Half the trade of the rimward lanes moves in Freehaulers, most of it legally."),
    ("SMER", "Meridian Liner", "SHIP_Meridian", "ship,liner,passengers,travel",
     "WARD,WBEL,PHAL,TGAT",
     "The Meridian carries two thousand passengers between the great worlds of the Compact "
     "in quiet comfort. Its observation gallery is the longest window ever built./p"
     "A Meridian voyage from Ardesh to Belisar takes nine days through the gates, and the "
     "dinners are famous."),
    ("SSEE", "Seedbearer Ark", "SHIP_Seedbearer", "ship,ark,colony,seeds",
     "WMIR,TVAU,TTER,HREC",
     "The Seedbearer is a colony ark: a slow ship with a whole world folded inside it. Its "
     "holds carry seed vaults, sleeping settlers and the terraforming engines to wake a "
     "barren planet./p"
     "Three Seedbearers have left the Spiral for other galaxies. None has yet sent word."),

    # Technologies
    ("TFOL", "Fold Drive", "Tech_FoldDrive", "technology,drive,travel,faster",
     "TGAT,SLAN,PDRI,XMAW",
     "The fold drive creases space so that two distant points lie briefly side by side, and "
     "a ship steps across the crease./p"
     "Folding near a large mass is dangerous and near the Maw of Sennet is fatal, which is "
     "why every chart of the Spiral marks the safe folding shells around its stars."),
    ("TGAT", "Weave Gates", "Tech_WeaveGate", "technology,gate,travel,network",
     "TFOL,HRET,SMER,HSIL",
     "A weave gate holds a fold open for years instead of seconds. The gates bind the great "
     "worlds of the Compact into one network, and any ship may pass through them./p"
     "When the gates failed at the start of the Long Silence, the Spiral fell apart into "
     "islands. Their return is the reason this encyclopedia could be written."),
    ("TSHI", "Lattice Shields", "Tech_LatticeShield", "technology,shield,defence,Semmari",
     "PSEM,SBUL,SHAR,WVAR",
     "Lattice shields weave a mesh of force around a ship that hardens where it is struck. "
     "They were developed from the pressure screens of the Semmari deeps./p"
     "A shield that is struck too often in one place glows white and then gives way; gunners "
     "call this \u201cfinding the seam\u201d."),
    ("TLAN", "Lance Cannons", "Tech_Lance", "technology,weapon,lance,warship",
     "SHAR,SBUL,SWAS,HCIN",
     "The lance fires a bolt of bound plasma that holds its shape over thousands of "
     "kilometres. It is the standard heavy weapon of the Spiral\u2019s navies./p"
     "Miners on Kessaro use a gentler lance to cut ice, and they insist theirs came first."),
    ("TTER", "Terraforming Engines", "Tech_Terraformer", "technology,terraforming,worlds",
     "WMIR,WARD,SSEE,TVAU",
     "Terraforming engines turn barren rock into living worlds over three centuries of "
     "patient work: first air, then water, then soil, then seed./p"
     "The engines of Miradel are still running, and nobody remembers how to switch them off."),
    ("TSYN", "Synthminds", "Tech_Synthmind", "technology,minds,machines",
     "PVOR,PTKA,HSIL,SLAN",
     "Synthminds are thinking machines grown on crystal lattices, a craft learned from the "
     "Tk\u2019aani. They pilot Lanterns, keep archives and run the weave gates./p"
     "By Compact law a synthmind may own property, vote in its district and refuse an order "
     "it finds unkind."),
    ("TVAU", "Seed Vaults", "Tech_SeedVault", "technology,vault,seeds,Miradel",
     "WMIR,SSEE,TTER,HSIL",
     "A seed vault keeps the living heritage of a world asleep: seeds, spores, eggs and "
     "patterns, cold and dark and safe./p"
     "The greatest vault lies under the poles of Miradel and holds the life of four hundred "
     "worlds."),

    # History
    ("HFIR", "First Contact", "History_FirstContact", "history,contact,Hallan,Vorrith",
     "PHAL,PVOR,SLAN,HCOM",
     "The Hallan and the Vorrith met in the year 212 of the Reckoning, when a Hallan Lantern "
     "answered a song it had been hearing for a month./p"
     "The week of confusion that followed is remembered by both peoples as a comedy, and "
     "performed as one every year on Ardesh."),
    ("HCOM", "The Compact", "History_Compact", "history,Compact,treaty,Selenne",
     "WSEL,PHAL,WARD,HFIR,HRET",
     "The Compact of Selenne is the treaty that binds the peoples of the Spiral to open "
     "gates, honest trade and mutual defence. It was signed in the year 340 of the "
     "Reckoning, in the Hall of Long Shadows./p"
     "It has been amended four hundred and twelve times. The Hallan consider this a sign of "
     "its health."),
    ("HCIN", "Cinder War", "History_CinderWar", "history,war,Dunmarrow,Varnhold",
     "WDUN,WVAR,SBUL,PASH,HREC",
     "The Cinder War was fought between the Compact and the Burning Choir, a breakaway "
     "league that meant to rule the rimward lanes./p"
     "It lasted eleven years and ended over Dunmarrow, where the last battle burned the sky. "
     "No one has started a war in the Spiral since."),
    ("HSIL", "Long Silence", "History_LongSilence", "history,silence,gates,collapse",
     "TGAT,WMIR,PQUI,HRET",
     "The Long Silence began when every weave gate in the Spiral failed on the same day. For "
     "three centuries each world was alone./p"
     "Some worlds forgot the others; some, like Miradel, sealed their doors and waited. The "
     "cause of the failure is still argued over by scholars."),
    ("HREC", "Reckoning Calendar", "History_Reckoning", "history,calendar,years",
     "HFIR,HCOM,HCIN,HRET",
     "The Spiral counts its years from the Reckoning, the day the first Hallan Lantern left "
     "Ardesh to map the nearby stars. This encyclopedia was written in the year 1104./p"
     "Each people keeps its own calendar as well, and the Vorrith keep several at once."),
    ("HRET", "Return of the Gates", "History_Return", "history,gates,return",
     "TGAT,HSIL,PQUI,HCOM",
     "The gates woke again in the year 1061 of the Reckoning, one by one, as quietly as they "
     "had failed. The first ship through was a Drifter Freehauler that had been waiting at "
     "the Ardesh gate for forty years, just in case./p"
     "This encyclopedia was begun in the year of the Return, to gather what the islands had "
     "learned alone."),

    # Stars and Wonders
    ("XHEA", "Heartfire", "Star_Heartfire", "star,core,galaxy,light",
     "XMAW,XTWI,XAMB,XPIL",
     "Heartfire is the name the Spiral gives to its galactic core, a crowd of old stars so "
     "bright that no world near it knows night./p"
     "No ship has reached the Heartfire and returned. Several have reached it."),
    ("XAMB", "Amberveil Nebula", "Nebula_Amberveil", "nebula,gas,navigation,Drifters",
     "PDRI,SLAN,TFOL,XHEA",
     "The Amberveil is a great cloud of golden gas that hides a dozen young stars. Sensors "
     "see little inside it, which makes it the favourite haunt of Drifters and smugglers./p"
     "Lantern crews tell of lights in the veil that move against the wind."),
    ("XTWI", "Twins of Orra", "Star_TwinsOrra", "star,binary,Belisar",
     "WBEL,PSEM,XHEA,XPIL",
     "The Twins of Orra are a pair of suns, one gold and one blue, that circle each other "
     "every nine days. Belisar orbits them both./p"
     "The Semmari say the Twins are dancers, and that the tides of Belisar keep their time."),
    ("XMAW", "Maw of Sennet", "Hazard_Maw", "hazard,singularity,fold",
     "TFOL,WKES,XHEA,XRIF",
     "The Maw of Sennet is a dark star: a collapsed mass that swallows light and bends every "
     "fold that passes near it./p"
     "Charts mark it with a black circle and the single word \u201cno\u201d."),
    ("XRIF", "Glass Rift", "Hazard_GlassRift", "hazard,rift,crystal,Tkaani",
     "PTKA,XMAW,WSHA,XPIL",
     "The Glass Rift is a long crack in space, lined with something like crystal, that "
     "rings when ships pass near it. The Tk\u2019aani say it is singing./p"
     "Beyond the Rift lie the Shard Worlds, which no Lantern has yet charted. Their page in "
     "this encyclopedia is still waiting to be written."),
    ("XPIL", "Pilgrim Star", "Star_Pilgrim", "star,wanderer,omen",
     "WDUN,XHEA,XRIF,XTWI,HREC",
     "The Pilgrim Star belongs to no system. It wanders the Spiral alone on a path of its "
     "own, and passes near a settled world once in a generation./p"
     "Its last passage lit the skies of Dunmarrow in the year 1098, and the Ashborn held "
     "their first festival since the war."),
]

TITLES_FILE = "wsEncyclopediaTitles.txt"
CONTENTS_FILE = "wsEncyclopedia.txt"


def cp1252_order(entry):
    return entry[1].encode("cp1252")


def bar_line(code, tag, value):
    return "|%s_%s|\"%s\"" % (code, tag, value)


def titles_lines():
    lines = ["\\\\Galactic Encyclopedia Topic Information", ""]
    for number, (title, members) in enumerate(HEADERS, start=1):
        lines.append(bar_line("EGH", "%04d" % number, title + ":" + ",".join(members)))
    for tag, title, image, keywords, related, _ in sorted(ENTRIES, key=cp1252_order):
        lines += ["", bar_line("EGT", tag, title)]
        for code, value in (("EGI", image), ("EGK", keywords), ("EGR", related)):
            if value:
                lines.append(bar_line(code, tag, value))
    return lines


def contents_lines():
    lines = ["\\\\Galactic Encyclopedia Contents", ""]
    for tag, _, _, _, _, content in sorted(ENTRIES, key=cp1252_order):
        lines.append("")
        if content:
            lines.append("\\*EGC_%s %s" % (tag, content))
    return lines


def encode(lines):
    text = "".join(line + "\r\n" for line in lines)
    text.encode("cp1252")  # every character must have an 8-bit form
    return b"\xff\xfe" + text.encode("utf-16-le") + b"\x00"


def check_sample():
    tags = [entry[0] for entry in ENTRIES]
    assert all(len(tag) == 4 for tag in tags), "tags have four characters"
    assert len(set(tags)) == len(tags), "tags are unique"
    listed = [tag for _, members in HEADERS for tag in members]
    assert sorted(listed) == sorted(t for t in tags if t != "EROR"), "every entry listed once"
    for entry in ENTRIES:
        assert '"' not in "".join(entry), "no double quotes in values"


def main():
    check_sample()
    folder = pathlib.Path(__file__).resolve().parent.parent / "data" / "sample"
    folder.mkdir(parents=True, exist_ok=True)
    (folder / TITLES_FILE).write_bytes(encode(titles_lines()))
    (folder / CONTENTS_FILE).write_bytes(encode(contents_lines()))


if __name__ == "__main__":
    main()
