-- Tarnwick のデモ: 表を作り、行を入れ、問い合わせる
CREATE TABLE 商品 (ID COUNTER Primary Key, 品名 CHAR(20), 単価 MONEY, 入荷日 DATETIME);
INSERT INTO 商品 (品名, 単価, 入荷日) VALUES ('りんご', 120, '2012-02-22 00:00:00');
INSERT INTO 商品 (品名, 単価, 入荷日) VALUES ('みかん', 80.5, '2012-02-23 09:30:00');
INSERT INTO 商品 (品名, 単価, 入荷日) VALUES ('Banana', 98, '2012-02-24 00:00:00');
SELECT * FROM 商品;
