-- EX_RATE on PostgreSQL. Run once per database:  psql -d DBNAME -f sql/postgresql.sql
-- The program's statements use unquoted upper-case names, which PostgreSQL folds to lower case.
-- STD_DATE holds "YYYY/MM/DD"; the "C" collation keeps BETWEEN in day order on any locale.
CREATE TABLE IF NOT EXISTS EX_RATE (
    STD_DATE  VARCHAR(10) COLLATE "C" NOT NULL PRIMARY KEY,
    USD       NUMERIC,
    VND       NUMERIC,
    KRW       NUMERIC,
    REMARK    VARCHAR(200),
    INS_DATE  TIMESTAMP(3),
    INS_SCODE VARCHAR(50)
);

-- EX_RATE_LOG: one row per insert, update and delete of a day, written in the change's own
-- transaction; without it the program keeps working and records no history. LOG_SEQ gives the
-- order the changes were made in.
CREATE TABLE IF NOT EXISTS EX_RATE_LOG (
    LOG_SEQ    BIGSERIAL PRIMARY KEY,
    STD_DATE   VARCHAR(10) COLLATE "C" NOT NULL,
    LOG_ACTION CHAR(1) NOT NULL,
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
    LOG_DATE   TIMESTAMP(3),
    LOG_SOURCE VARCHAR(100)
);
CREATE INDEX IF NOT EXISTS IX_EX_RATE_LOG_DAY ON EX_RATE_LOG (STD_DATE, LOG_SEQ);

-- the statements stamp INS_DATE with GETDATE(): the local time of the moment, in milliseconds
CREATE OR REPLACE FUNCTION GETDATE() RETURNS TIMESTAMP(3)
    LANGUAGE sql VOLATILE
    AS $$ SELECT CAST(clock_timestamp() AS TIMESTAMP(3)) $$;
