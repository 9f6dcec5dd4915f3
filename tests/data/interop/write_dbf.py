# Writes a dBase III table with a memo file in code page 1250 with python3-dbf.
import datetime, sys
import dbf

table = dbf.Table(sys.argv[1], "KOD C(20); NAZEV C(60); CENA N(12,2); KS N(4,0); SKLADEM L; DATUM D; POPIS M",
                  dbf_type="db3", codepage="cp1250")
table.open(dbf.READ_WRITE)
table.append(("A-1", "Příliš žluťoučký kůň úpěl ďábelské ódy", 1234.5, 12, True, datetime.date(2026, 12, 9),
              "Popis s diakritikou: ěščřžýáíé ĚŠČŘŽÝÁÍÉ ůú ďťň\r\ndruhý řádek"))
table.append(("B-2", "Šňůra", 0.99, 0, False, None, "x" * 70000))
table.append(("C-3", "", None, None, None, None, None))
table.append(("D-4", "smazaný řádek", 1, 1, True, None, "pryč"))
dbf.delete(table[3])
table.close()
