-- Every function of the library, with the types of their arguments varied.
CREATE TABLE t (n LONG, s TEXT(20), d DATETIME, c CURRENCY, b YESNO, r DOUBLE, m MEMO, y BYTE, g SINGLE, k DECIMAL(10,3), z BIGINT, h SHORT)
INSERT INTO t VALUES (5, 'Hello World', #2024/02/29 08:15:30#, 12.3456, True, -2.5, 'メモ', 200, 1.25, 3.125, 77, -3)
INSERT INTO t VALUES (NULL, NULL, NULL, NULL, False, NULL, NULL, NULL, NULL, NULL, NULL, NULL)
INSERT INTO t VALUES (-7, '  全角　スペース  ', '1999/12/31 23:59:59', -0.5, 0, 1e10, '', 0, -0.1, -1.5, -9, 0)
SELECT Left(s, 3), Right(s, 2), Mid(s, 2), Mid(s, 2, 3), Len(s), Len(n), InStr(s, 'o'), InStr(3, s, 'o'), InStr(1, s, 'O', 1), InStrRev(s, 'o') FROM t
SELECT Left$(s, 1), Mid$(s, 1, 1), Right$(s, 1), UCase$(s), Format$(n, '0.00'), Trim$(s) FROM t
SELECT UCase(s), LCase(s), Trim(s), LTrim(s), RTrim(s), Space(3) & 'x', String(3, 'ab'), String(2, 65), Replace(s, 'l', 'L'), Replace(s, 'l', 'L', 1, 1) FROM t
SELECT StrReverse(s), StrComp(s, 'hello world'), StrComp(s, 'hello world', 0), Asc(s), Chr(65), Chr(12354), StrConv(s, 1), StrConv(s, 2), StrConv(s, 3) FROM t
SELECT Val('12abc'), Val(s), Hex(n), Hex(255), Oct(8), Oct(n) FROM t
SELECT Abs(n), Abs(r), Abs(c), Abs(d), Sgn(r), Int(r), Fix(r), Int(d), Round(r), Round(r, 1), Round(c, 2), Round(k) FROM t
SELECT Sqr(4), Exp(1), Log(10), Sin(0), Cos(0), Tan(0), Atn(1), Rnd(1) < 1 FROM t
SELECT CStr(n), CStr(d), CStr(b), CStr(r), CInt(r), CInt('12'), CLng(k), CByte(y), CSng(r), CDbl(s), CCur(r), CDec(r), CDate('2024/1/1'), CDate(45000), CBool(n), CBool('True'), CVar(n), CVar(s) FROM t
SELECT IsNull(n), IsNumeric(s), IsNumeric('12'), IsDate('2024/1/1'), IsDate(s), IsEmpty(n), IsNull(NULL) FROM t
SELECT IIf(n > 0, 'pos', 'neg'), IIf(b, 1, 2.5), IIf(n, s, d), IIf(Null, 1, 2), Switch(n > 0, 'a', n < 0, 'b'), Switch(True, 1), Choose(2, 'x', 'y', 'z'), Choose(n, 1, 2), Choose(1, s, m) FROM t
SELECT Year(d), Month(d), Day(d), Hour(d), Minute(d), Second(d), Weekday(d), Weekday(d, 2), WeekdayName(3), WeekdayName(Weekday(d), True), MonthName(2), MonthName(Month(d), True) FROM t
SELECT DateAdd('d', 1, d), DateAdd('m', 1, d), DateAdd('yyyy', -1, d), DateAdd('h', 30, d), DateAdd('n', n, d), DateAdd('s', 1, '2024/1/1'), DateAdd('ww', 2, d), DateAdd('q', 1, d) FROM t
SELECT DateDiff('d', d, #2025/01/01#), DateDiff('m', d, #2025/01/01#), DateDiff('yyyy', d, Now()) >= 0, DateDiff('ww', d, #2025/1/1#, 2), DateDiff('h', d, d + 1), DatePart('q', d), DatePart('y', d), DatePart('w', d), DatePart('ww', d, 2, 2) FROM t
SELECT DateSerial(2024, 2, 30), DateSerial(2024, 13, 1), TimeSerial(25, 0, 0), TimeSerial(1, 2, 3), DateValue('2024/3/4 10:00'), TimeValue('2024/3/4 10:00'), DateValue(d), TimeValue(d) FROM t
SELECT Date() > #2000/1/1#, Time() >= #0:00#, Now() > #2000/1/1#, Year(Date()) > 2000
SELECT Format(n), Format(r, '0.00'), Format(c, 'Currency'), Format(d, 'yyyy/mm/dd'), Format(d, 'Long Date'), Format(d, 'hh:nn:ss'), Format(s, '>'), Format(b, 'Yes/No'), Format(r, '#,##0.0;(#,##0.0);Zero;Null'), Format(d, 'ggge年m月d日'), Format(k, 'Percent'), Format(n, '@@@@@') FROM t
SELECT Format(d, 'dddd mmmm'), Format(d, 'aaa'), Format(12345.678, 'Standard'), Format(0.5, 'Fixed'), Format(1e20, 'Scientific'), Format(d, 'General Date'), Format(d, 'Short Time'), Format(True, 'True/False'), Format(1, 'On/Off') FROM t
SELECT Sum(n), Avg(n), Min(s), Max(s), Count(s), Count(*), First(s), Last(s), StDev(n), StDevP(n), Var(n), VarP(n) FROM t
SELECT Sum(c), Avg(c), Sum(b), Sum(d), Avg(y), Sum(y), Min(d), Max(d), Min(c), Sum(g), Sum(k), Avg(k), Sum(z), Sum(h), Min(m), Max(b) FROM t
SELECT Sum(n + 1), Avg(IIf(b, 1, 0)), Max(Len(s)), Count(IIf(n > 0, 1, Null)) FROM t
SELECT Sum(s) FROM t
SELECT Avg(s) FROM t
SELECT Abs(s) FROM t
SELECT CInt(s) FROM t
SELECT Left(s, -1) FROM t
SELECT 1 / 0
SELECT 0 / 0
SELECT 5 \ 0
SELECT 5 Mod 0
SELECT 0 ^ -1
SELECT (-8) ^ 0.5
SELECT CByte(300)
SELECT CDate('yesterday')
SELECT Space(Null)
SELECT Chr(-1)
SELECT DateSerial(10000, 1, 1)
SELECT Val(Null)
SELECT 2147483647 * 2147483647 * 4
SELECT c * 3, c + 1, c - c, c * c, c / 2, -c, c + r, c + s, c + d, c - d, c * d FROM t
SELECT y + y, y * 2, h + 1, z + 1, z * z, g + g, k + k, k * 2, b + b, b * 2, n + b FROM t
SELECT s & n, s & d, s & c, s & b, n & n, d & '', NULL & s FROM t
SELECT s + n, n + s, s + d, d + s, s - 1, d + d, d * 2, d / 2 FROM t
SELECT n + ?, ? & s, ? + ?, -?, Not ? FROM t
SELECT Nz(n, 0) FROM t
SELECT COALESCE(n, 0) FROM t
SELECT Substr(s, 1, 2) FROM t
SELECT CAST(n AS TEXT) FROM t
SELECT Lenn(s) FROM t
SELECT Count(DISTINCT n) FROM t
SELECT Left(s) FROM t
SELECT Now(1) FROM t
SELECT IIf(1, 2) FROM t
SELECT Switch() FROM t
SELECT Sum(*) FROM t
SELECT Left(*) FROM t
SELECT Count(*, 1) FROM t
SELECT Count() FROM t
SELECT Len$(s) FROM t
SELECT Ucase(s) FROM t WHERE Len(s) > Sum(n)
SELECT n FROM t GROUP BY Sum(n)
SELECT n FROM t WHERE Count(*) > 1
SELECT Sum(Sum(n)) FROM t
SELECT Max(Min(n)) FROM t
SELECT GETDATE() FROM t
SELECT ISNULL(n, 0) FROM t
SELECT LEN(s) FROM t
SELECT DATEADD('d', 1, d) FROM t
SELECT concat(s, s) FROM t
SELECT upper(s) FROM t
