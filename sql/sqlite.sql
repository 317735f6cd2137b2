-- EX_RATE in the embedded SQLite database; run by the program on every open.
-- GETDATE() is a function the program registers on the connection.
-- Numbers have NUMERIC affinity so 25000 reads back as "25000" and 1234.5 as "1234.5".
CREATE TABLE IF NOT EXISTS EX_RATE (
    STD_DATE  VARCHAR(10)  NOT NULL PRIMARY KEY,
    USD       NUMERIC,
    VND       NUMERIC,
    KRW       NUMERIC,
    REMARK    VARCHAR(200) CHECK (REMARK IS NULL OR length(REMARK) <= 200),
    INS_DATE  DATETIME,
    INS_SCODE VARCHAR(50)
);
