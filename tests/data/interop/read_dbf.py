# Prints every row of a table (deleted ones marked) as JSON lines, read by python3-dbf.
import datetime, json, sys
import dbf

def plain(v):
    if isinstance(v, (datetime.date, datetime.datetime)):
        return v.isoformat()
    if v is None or isinstance(v, (bool, int, float)):
        return v
    return str(v)

table = dbf.Table(sys.argv[1])
table.open(dbf.READ_ONLY)
print(json.dumps({"codepage": table.codepage.name}))
for record in table:
    row = {}
    for name in table.field_names:
        value = plain(record[name])
        if table.field_info(name)[0] == dbf.FieldType.CHAR:
            value = value.rstrip(" ")  # character columns are blank padded
        row[name] = value
    row["_deleted"] = dbf.is_deleted(record)
    print(json.dumps(row, ensure_ascii=False, sort_keys=True))
table.close()
