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
