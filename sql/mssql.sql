-- EX_RATE on SQL Server. Run once per database:  sqlcmd -S HOST -d DBNAME -i sql/mssql.sql
-- The program writes the remark as a plain '...' literal, which SQL Server converts through the
-- database's code page: create the database with a Korean collation so Korean remarks survive,
-- e.g.  CREATE DATABASE ZEVARU COLLATE Korean_Wansung_CI_AS;
-- The scales follow what the input boxes allow: USD 2, VND 0, KRW 6 decimals.
IF OBJECT_ID(N'dbo.EX_RATE', N'U') IS NULL
CREATE TABLE dbo.EX_RATE (
    STD_DATE  VARCHAR(10)   NOT NULL CONSTRAINT PK_EX_RATE PRIMARY KEY,
    USD       DECIMAL(18,2) NULL,
    VND       DECIMAL(18,0) NULL,
    KRW       DECIMAL(18,6) NULL,
    REMARK    NVARCHAR(200) NULL,
    INS_DATE  DATETIME      NULL,
    INS_SCODE VARCHAR(50)   NULL
);
GO
-- EX_RATE_LOG: one row per insert, update and delete of a day, written in the change's own
-- transaction; without it the program keeps working and records no history. LOG_SEQ gives the
-- order the changes were made in.
IF OBJECT_ID(N'dbo.EX_RATE_LOG', N'U') IS NULL
BEGIN
CREATE TABLE dbo.EX_RATE_LOG (
    LOG_SEQ    BIGINT IDENTITY(1,1) NOT NULL CONSTRAINT PK_EX_RATE_LOG PRIMARY KEY,
    STD_DATE   VARCHAR(10)   NOT NULL,
    LOG_ACTION CHAR(1)       NOT NULL,
    OLD_USD    DECIMAL(18,2) NULL,
    OLD_VND    DECIMAL(18,0) NULL,
    OLD_KRW    DECIMAL(18,6) NULL,
    OLD_REMARK NVARCHAR(200) NULL,
    NEW_USD    DECIMAL(18,2) NULL,
    NEW_VND    DECIMAL(18,0) NULL,
    NEW_KRW    DECIMAL(18,6) NULL,
    NEW_REMARK NVARCHAR(200) NULL,
    USER_CODE  VARCHAR(50)   NULL,
    HOST_NAME  VARCHAR(100)  NULL,
    LOG_DATE   DATETIME      NULL,
    LOG_SOURCE VARCHAR(100)  NULL
);
CREATE INDEX IX_EX_RATE_LOG_DAY ON dbo.EX_RATE_LOG (STD_DATE, LOG_SEQ);
END
GO
