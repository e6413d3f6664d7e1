-- The textbook's tables, then queries over every expression form.
CREATE TABLE 部署 (部署ID LONG PRIMARY KEY, 部署名 TEXT(20) NOT NULL, 予算 CURRENCY)
CREATE TABLE 社員 (ID COUNTER PRIMARY KEY, 氏名 TEXT(10) NOT NULL, 部署ID LONG REFERENCES 部署 (部署ID), 入社日 DATETIME, 在籍 YESNO, 給与 CURRENCY, 年齢 BYTE, 内線 SHORT, 単価 DOUBLE, 備考 MEMO, 評価 SINGLE, 番号 BIGINT, 比率 DECIMAL(8,2))
INSERT INTO 部署 VALUES (1, '営業', 1000000)
INSERT INTO 部署 VALUES (2, '総務', 500000.5)
INSERT INTO 部署 VALUES (3, '開発', NULL)
INSERT INTO 部署 (部署ID, 部署名) VALUES (4, 'Sales')
INSERT INTO 社員 (氏名, 部署ID, 入社日, 在籍, 給与, 年齢, 内線, 単価, 備考, 評価, 番号, 比率) VALUES ('山田', 1, #2020/04/01#, True, 300000, 30, 101, 1.5, 'メモ', 3.5, 12345678901, 12.345)
INSERT INTO 社員 (氏名, 部署ID, 入社日, 在籍, 給与, 年齢, 内線, 単価, 備考, 評価, 番号, 比率) VALUES ('佐藤', 2, #2021/10/15 13:30#, False, 250000.125, 25, 102, 2.25, NULL, 4, -5, 1)
INSERT INTO 社員 (氏名, 部署ID, 入社日, 在籍, 給与, 年齢) VALUES ('鈴木', 1, '2019/1/2', 'Yes', '280000', '41')
INSERT INTO 社員 (氏名, 部署ID, 入社日, 給与, 年齢) VALUES ('abc', 3, #1/2/2022#, 100, 20)
INSERT INTO 社員 (氏名, 部署ID, 入社日, 給与, 年齢) VALUES ('ABC', NULL, NULL, NULL, NULL)
INSERT INTO 社員 (氏名, 部署ID, 年齢, 内線) VALUES ('Tanaka', 2, -0, -32768)
SELECT * FROM 社員
SELECT 社員.*, 部署.部署名 FROM 社員, 部署 WHERE 社員.部署ID = 部署.部署ID
SELECT ID, 氏名 & '様', 氏名 + 'さん', 給与 * 2, 給与 + 給与, 給与 * 1.5, 年齢 + 年齢, 年齢 + 内線, 内線 * 部署ID, 在籍 + 年齢 FROM 社員
SELECT 単価 - 年齢, 氏名 * 2, 入社日 + 1, 1 + 入社日, 入社日 - 入社日, 入社日 - 1, 入社日 - 0.5 FROM 社員
SELECT 部署ID / 2, 部署ID \ 2, 部署ID Mod 2, 2 ^ 3, -部署ID, +部署ID, -氏名, -入社日, -在籍 FROM 社員
SELECT 1 + '2', -'x', '3' * '4', '10' / 4, 7 \ '2', 'a' & NULL, NULL & NULL, NULL + 1, Null - Null
SELECT True, False, Yes, No, On, Off, 1 = 1, 1 <> 1, Not True, Not 0, Not 部署ID, Not 在籍 FROM 社員
SELECT 在籍 And True, 在籍 Or False, 在籍 Xor True, 在籍 Eqv False, 在籍 Imp True, 部署ID And 3, 部署ID Or 4, 部署ID Xor 1, 部署ID Eqv 1, 部署ID Imp 2 FROM 社員
SELECT Null And False, Null Or True, Null Imp True, False Imp Null, Null Xor True, True And Null, 1 And Null
SELECT 氏名 FROM 社員 WHERE 在籍 And Not 部署ID = 1
SELECT 氏名 FROM 社員 WHERE 在籍 = True OR 在籍 = -1 OR 在籍 <> 0
SELECT 氏名 FROM 社員 WHERE 氏名 = 'ABC'
SELECT 氏名 FROM 社員 WHERE 氏名 < 'b' AND 氏名 >= 'A'
SELECT 氏名 FROM 社員 WHERE 入社日 >= #2020/04/01# AND 入社日 < '2022/1/1'
SELECT 氏名 FROM 社員 WHERE 入社日 = '2020-04-01'
SELECT 氏名 FROM 社員 WHERE 入社日 > 43000
SELECT 氏名 FROM 社員 WHERE 氏名 Between 'a' And 'c'
SELECT 氏名 FROM 社員 WHERE 氏名 Not Between 'a' And 'c'
SELECT 氏名 FROM 社員 WHERE 入社日 Between #2019/1/1# And #2020/12/31#
SELECT 氏名 FROM 社員 WHERE 給与 Between 100 And 280000
SELECT 氏名 FROM 社員 WHERE 入社日 In (#1/2/2019#, '2020/4/1')
SELECT 氏名 FROM 社員 WHERE 氏名 In ('abc', '山田')
SELECT 氏名 FROM 社員 WHERE 部署ID Not In (1, 2)
SELECT 氏名 FROM 社員 WHERE 部署ID In (SELECT 部署ID FROM 部署 WHERE 部署名 = '営業')
SELECT 氏名 FROM 社員 WHERE 部署ID Not In (SELECT 部署ID FROM 部署 WHERE 部署ID > 1)
SELECT 氏名 FROM 社員 WHERE 氏名 Like 'a%' OR 氏名 Like '山*' OR 氏名 Like '?田'
SELECT 氏名 FROM 社員 WHERE 氏名 Like '[a-c]*' AND 氏名 Not Like '[!x]_'
SELECT 氏名 FROM 社員 WHERE 備考 Like 氏名 OR 氏名 Like 'A#C'
SELECT 氏名 FROM 社員 WHERE 氏名 Not Like 'a*'
SELECT 氏名 Is Null, 備考 Is Not Null, Exists (SELECT 1), Not Exists (SELECT * FROM 部署 WHERE 部署ID = 9) FROM 社員
SELECT 氏名 FROM 社員 WHERE 給与 > All (SELECT 給与 FROM 社員 WHERE 部署ID = 2)
SELECT 氏名 FROM 社員 WHERE 給与 >= Any (SELECT 給与 FROM 社員 WHERE 部署ID = 1)
SELECT 氏名 FROM 社員 WHERE 給与 = Some (SELECT 給与 FROM 社員 WHERE 部署ID = 3)
SELECT 氏名 FROM 社員 WHERE 入社日 < All (SELECT 入社日 FROM 社員 WHERE 部署ID = 2)
SELECT 氏名 FROM 社員 WHERE 氏名 <> All (SELECT 部署名 FROM 部署)
SELECT 氏名, (SELECT 部署名 FROM 部署 WHERE 部署.部署ID = 社員.部署ID) AS 部 FROM 社員
SELECT 氏名, (SELECT Max(給与) FROM 社員 AS s WHERE s.部署ID = 社員.部署ID) FROM 社員
SELECT n FROM (SELECT 氏名 AS n FROM 社員)
SELECT x.n, y.m FROM (SELECT 氏名 AS n, 部署ID AS d FROM 社員) AS x INNER JOIN (SELECT 部署ID AS d, 部署名 AS m FROM 部署) y ON x.d = y.d
SELECT s.氏名, b.部署名 FROM 社員 AS s INNER JOIN 部署 AS b ON s.部署ID = b.部署ID
SELECT s.氏名, b.部署名 FROM 社員 s LEFT JOIN 部署 b ON s.部署ID = b.部署ID ORDER BY s.ID
SELECT s.氏名, b.部署名 FROM 社員 s RIGHT OUTER JOIN 部署 b ON s.部署ID = b.部署ID ORDER BY b.部署ID, s.ID
SELECT s.氏名 FROM (社員 AS s LEFT JOIN 部署 ON s.部署ID = 部署.部署ID) RIGHT JOIN 部署 AS b ON b.部署ID = s.部署ID
SELECT a.氏名, b.氏名 FROM 社員 a INNER JOIN 社員 b ON a.部署ID = b.部署ID AND a.ID < b.ID
SELECT 社員!氏名, [社員].[部署ID] FROM 社員
SELECT 氏名 FROM 社員 ORDER BY 氏名
SELECT 氏名 FROM 社員 ORDER BY 氏名 DESC, 入社日
SELECT 氏名, 給与 FROM 社員 ORDER BY 2 DESC, 1
SELECT 氏名 AS 名, 給与 * 2 AS 倍 FROM 社員 ORDER BY 倍, 名 DESC
SELECT 氏名 FROM 社員 ORDER BY 入社日 DESC
SELECT 氏名, 給与 FROM 社員 ORDER BY 給与 * 2, Len(氏名)
SELECT DISTINCT 部署ID FROM 社員
SELECT DISTINCT 氏名, 部署ID FROM 社員 ORDER BY 氏名
SELECT DISTINCTROW 氏名 FROM 社員 INNER JOIN 部署 ON 社員.部署ID = 部署.部署ID
SELECT DISTINCTROW 社員.氏名, 部署.部署名 FROM 社員 INNER JOIN 部署 ON 社員.部署ID = 部署.部署ID
SELECT ALL 氏名 FROM 社員
SELECT TOP 2 氏名 FROM 社員 ORDER BY 給与 DESC
SELECT TOP 2 氏名, 部署ID FROM 社員 ORDER BY 部署ID
SELECT TOP 1 * FROM 社員
SELECT TOP 50 PERCENT 氏名 FROM 社員 ORDER BY 年齢
SELECT TOP 3 氏名 AS n FROM 社員 ORDER BY n
SELECT TOP 2 氏名 FROM 社員 ORDER BY 入社日 DESC, 氏名
SELECT TOP 1 氏名 FROM 社員 UNION SELECT TOP 1 部署名 FROM 部署
SELECT 氏名 FROM 社員 UNION SELECT 部署名 FROM 部署
SELECT 氏名 FROM 社員 UNION ALL SELECT 部署名 FROM 部署 ORDER BY 1 DESC
SELECT 氏名 FROM 社員 UNION SELECT 部署名 FROM 部署 ORDER BY 氏名 DESC
SELECT 1 AS a, 2 UNION SELECT 氏名, 3 FROM 社員
SELECT 年齢 FROM 社員 UNION SELECT 給与 FROM 社員 UNION SELECT 単価 FROM 社員
(SELECT 氏名 FROM 社員) UNION ALL (SELECT 部署名 FROM 部署 UNION SELECT 'x') ORDER BY 1
SELECT 入社日 FROM 社員 UNION SELECT 1 FROM 部署
SELECT 部署ID, Count(*), Sum(給与), Avg(給与), Min(氏名), Max(入社日), First(氏名), Last(氏名) FROM 社員 GROUP BY 部署ID
SELECT 部署ID, StDev(年齢), StDevP(年齢), Var(年齢), VarP(年齢), Sum(単価), Avg(年齢), Sum(在籍), Count(備考) FROM 社員 GROUP BY 部署ID
SELECT Sum(給与), Avg(給与), Sum(単価), Sum(比率), Avg(比率), Sum(番号), Min(給与), Max(年齢) FROM 社員
SELECT 部署ID, Count(*) FROM 社員 GROUP BY 部署ID HAVING Count(*) > 1
SELECT 部署ID, Count(*) AS n FROM 社員 GROUP BY 部署ID HAVING Sum(給与) > 100 ORDER BY Count(*) DESC
SELECT 部署ID FROM 社員 GROUP BY 部署ID ORDER BY Sum(給与)
SELECT 氏名, Max(氏名) FROM 社員 GROUP BY 氏名
SELECT Year(入社日), Count(*) FROM 社員 GROUP BY Year(入社日)
SELECT 5, Count(*) FROM 部署 GROUP BY 5, -True ORDER BY 1
SELECT Count(*) FROM 社員 WHERE 部署ID = 1
SELECT Count(氏名), Count(ID) FROM 社員
SELECT 部署ID + 1, Count(*) FROM 社員 GROUP BY 部署ID + 1
SELECT 1 - 2 + 3 * 4 * 5 - (6 - 7), 'a' & 'b' & 'c' & 'd' & 'e'
SELECT -True, -(-1), - -1, 2 ^ -1, -2 ^ 2, 2 ^ 3 ^ 2
SELECT 1 FROM 部署 WHERE 部署ID = 1 Or 部署ID = 2 Or 部署ID = 3 And 部署ID > 0
SELECT 1 + Not 0 + 1, Not Not 1
SELECT 2147483647 + 1, 2147483648, 9223372036854775807, 9223372036854775808, 1.5e3, .5, 1e-3, 007
SELECT 'it''s', "say ""hi""", '', '日本語', [部署].[部署名] FROM 部署
SELECT #2024/04/01#, #4/1/2024 13:30#, #13:30#, #1:30:00 PM#, #12/31/99#, #2024-4-1#
SELECT x'0A1B', ?
SELECT 1 AS ""
SELECT 部署名 AS 'x y', 部署ID AS [z] FROM 部署
SELECT 部署名 AS "x" FROM 部署
