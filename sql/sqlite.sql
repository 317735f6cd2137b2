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

-- EX_RATE_LOG: one row per insert, update and delete of a day, written in the change's own
-- transaction. LOG_SEQ gives the order the changes were made in.
CREATE TABLE IF NOT EXISTS EX_RATE_LOG (
    LOG_SEQ    INTEGER      PRIMARY KEY AUTOINCREMENT,
    STD_DATE   VARCHAR(10)  NOT NULL,
    LOG_ACTION CHAR(1)      NOT NULL,
    OLD_USD    NUMERIC,
    OLD_VND    NUMERIC,
    OLD_KRW    NUMERIC,
    OLD_REMARK VARCHAR(200),
    NEW_USD    NUMERIC,
    NEW_VND    NUMERIC,
    NEW_KRW    NUMERIC,
    NEW_REMARK VARCHAR(200),
    USER_CODE  VARCHAR(50),
    HOST_NAME  VARCHAR(100),
    LOG_DATE   DATETIME,
    LOG_SOURCE VARCHAR(100)
);
CREATE INDEX IF NOT EXISTS IX_EX_RATE_LOG_DAY ON EX_RATE_LOG (STD_DATE, LOG_SEQ);
