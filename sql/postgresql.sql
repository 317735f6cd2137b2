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

-- the statements stamp INS_DATE with GETDATE(): the local time of the moment, in milliseconds
CREATE OR REPLACE FUNCTION GETDATE() RETURNS TIMESTAMP(3)
    LANGUAGE sql VOLATILE
    AS $$ SELECT CAST(clock_timestamp() AS TIMESTAMP(3)) $$;
