# Prints the live rows of a table as JSON lines, read by dbfread (which honours byte 29).
import datetime, decimal, json, sys
from dbfread import DBF

def plain(v):
    if isinstance(v, (datetime.date, datetime.datetime)):
        return v.isoformat()
    if isinstance(v, decimal.Decimal):
        return float(v)
    if isinstance(v, bytes):
        return v.decode("latin-1")
    return v

table = DBF(sys.argv[1], char_decode_errors="strict")
print(json.dumps({"encoding": table.encoding}))
for record in table:
    print(json.dumps({k: plain(v) for k, v in record.items()}, ensure_ascii=False, sort_keys=True))
