-- INSERT ... VALUES as scripts write them: which values become the shared statement's
-- parameters, and what each stores.
CREATE TABLE v (n LONG, d DOUBLE, c CURRENCY, t TEXT(20), m MEMO, w DATETIME, b YESNO, s SINGLE, y BYTE, i SHORT)
INSERT INTO v VALUES (1, 2.5, 3.25, 'a', 'b', #2024/1/2#, True, 1.5, 7, 8)
INSERT INTO v VALUES (-1, -2.5, -3.25, 'it''s', "dq", #2024/01/02 10:20:30#, False, -1.5, 0, -8)
INSERT INTO v VALUES ( - 1 , - 2.5e3 , .5 , '' , "" , #1/2/2024# , -1 , 1e-3 , 255 , 32767 )
INSERT INTO v VALUES ((1), (2.5), (-3), ('p'), ('q'), (#2024/1/2#), (True), (1), (1), (1))
INSERT INTO v VALUES (1 + 1, 2 * 2.5, -(3), 'a' & 'b', UCase('x'), DateAdd('d', 1, #2024/1/2#), Not True, 2 ^ 2, 3 \ 2, 7 Mod 3)
INSERT INTO v VALUES (+1, +2.5, 3, 't', 'm', #2024/1/2#, True, 1, 1, 1)
INSERT INTO v VALUES (9223372036854775807, 1e308, 922337203685477.5807, 'big', 'm', #9999/12/31#, True, 3.4e38, 255, -32768)
INSERT INTO v VALUES (9223372036854775808, 1e400, 1, 'over', 'm', #100/1/1#, True, 1, 1, 1)
INSERT INTO v VALUES (2147483648, 1, 1, 'long over', 'm', #2024/1/2#, True, 1, 1, 1)
INSERT INTO v VALUES (1, 1, 1, 'byte over', 'm', #2024/1/2#, True, 1, 256, 1)
INSERT INTO v VALUES (1, 1, 1, 'short over', 'm', #2024/1/2#, True, 1, 1, 32768)
INSERT INTO v VALUES (1, 1, 1, 'ＡＢＣ全角', '日本語のメモ', #2024/2/29#, True, 1, 1, 1)
INSERT INTO v VALUES (1, 1, 1, 'bad date', 'm', #2023/2/29#, True, 1, 1, 1)
INSERT INTO v VALUES (1, 1, 1, 'open, 'm', #2024/1/2#, True, 1, 1, 1)
INSERT INTO v VALUES (1, 1, 1, 'x', 'm', #2024/1/2, True, 1, 1, 1)
INSERT INTO v VALUES (Null, Null, Null, Null, Null, Null, Null, Null, Null, Null)
INSERT INTO v VALUES (?, 1, 1, 'param', 'm', #2024/1/2#, True, 1, 1, 1)
INSERT INTO v VALUES ('12', '2.5', '3', 5, 6, '2024/1/2', 'True', '1', '1', '1')
INSERT INTO v VALUES (x'0A', 1, 1, 'blob', 'm', #2024/1/2#, True, 1, 1, 1)
INSERT INTO v VALUES (1, 1, 1, 'rows', 'm', #2024/1/2#, True, 1, 1, 1), (2, 2, 2, 'rows', 'm', #2024/1/2#, True, 1, 1, 1)
INSERT INTO v VALUES (1, 1, 1, 'two', 'm', #2024/1/2#, True, 1, 1, 1); SELECT * FROM v
INSERT INTO v VALUES (1, 1, 1, 'comment' /* here */, 'm', #2024/1/2#, True, 1, 1, 1)
INSERT INTO v VALUES (1, 1, 1, 'line', 'm', #2024/1/2#, True, 1, 1, 1) -- after
INSERT INTO v (n, t) VALUES (10, 'cols')
INSERT INTO v (t, n) VALUES ('swapped', 11)
INSERT INTO v (n) VALUES (1, 2)
INSERT INTO v (n, t) VALUES (1)
INSERT INTO v VALUES (1, 2)
INSERT INTO v (n, t) SELECT n, t FROM v WHERE n IN (1, 2)
INSERT INTO v (n, t) VALUES (n, 'name as value')
INSERT INTO v (n, t) VALUES (1 2, 'missing comma')
INSERT INTO v (n, t) VALUES (1,, 'two commas')
INSERT INTO v (n, t) VALUES (1, 'unclosed'
INSERT INTO v (n, t) VALUES 1, 'no parentheses'
INSERT INTO v (n, t) VALUES (1, 'x') WHERE n = 1
INSERT INTO nothing VALUES (1, 'no table')
INSERT v VALUES (1, 'no into')
INSERT INTO v (n, t) VALUES (0x10, 'hex')
INSERT INTO v (n, t) VALUES (1e, 'e alone')
INSERT INTO v (n, t) VALUES (1.5e+2, 'exponent')
INSERT INTO v (n, t) VALUES (007, 'leading zeros')
INSERT INTO v (n, t) VALUES (-0, 'minus zero')
INSERT INTO v (n, d) VALUES (-9223372036854775808, -0.0)
INSERT INTO v (n, t) VALUES (True, [t])
INSERT INTO v (n, t) VALUES (1, 'a'
SELECT n, d, c, t, m, w, b, s, y, i FROM v ORDER BY t, n
