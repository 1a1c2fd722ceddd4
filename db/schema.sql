-- The delivered stock-room database: its fourteen tables, keys, indexes and reference rows.
-- The program never creates or alters tables; `zvdb criar` builds a new zv.fdb from this file
-- (dialect 3, default character set ISO8859_1), and the tests build theirs from it too.
--
-- Statements end with ';'. Each one runs and commits on its own, so the reference rows can be
-- inserted into the tables created above them.
--
-- Codes are text, padded on the left to a fixed width (blanks for products, zeros for the
-- rest). Columns that are always written at full width are CHAR; the rest are VARCHAR, which
-- keeps exactly what was stored. Trailing blanks never matter in comparisons.
-- There are no foreign keys: deleting a product group that products still name is allowed.

CREATE TABLE Grupos (
    GRU_Codigo      VARCHAR(6) NOT NULL,
    GRU_Descricao   VARCHAR(50),
    CONSTRAINT PK_Grupos PRIMARY KEY (GRU_Codigo)
);

CREATE TABLE Produtos (
    PRO_Codigo      VARCHAR(10) NOT NULL,
    PRO_Descricao   VARCHAR(50),
    PRO_Unid        VARCHAR(3),
    PRO_CodGru      VARCHAR(6),
    PRO_Local       VARCHAR(10),
    PRO_Quant       NUMERIC(15,3),
    PRO_Min         NUMERIC(15,0),
    PRO_EMax        NUMERIC(15,0),
    PRO_Valor       NUMERIC(15,2),
    PRO_UComp       DATE,
    PRO_CodFor      VARCHAR(10),
    PRO_DCad        DATE,
    PRO_OBS         VARCHAR(100),
    PRO_Refer       VARCHAR(20),
    PRO_CodBar      VARCHAR(14),
    PRO_Consumivel  VARCHAR(1),
    CONSTRAINT PK_Produtos PRIMARY KEY (PRO_Codigo)
);

CREATE TABLE Requisitante (
    REQ_Codigo      VARCHAR(6) NOT NULL,
    REQ_Descricao   VARCHAR(50),
    CONSTRAINT PK_Requisitante PRIMARY KEY (REQ_Codigo)
);

CREATE TABLE GRU_Fornec (
    GRU_Codigo      VARCHAR(6) NOT NULL,
    GRU_Desc        VARCHAR(30),
    CONSTRAINT PK_GRU_Fornec PRIMARY KEY (GRU_Codigo)
);

CREATE TABLE Fornecedor (
    FOR_Codigo      VARCHAR(10) NOT NULL,
    FOR_Fanta       VARCHAR(60),
    FOR_Razao       VARCHAR(60),
    FOR_Ender       VARCHAR(40),
    FOR_Numero      VARCHAR(10),
    FOR_Complemento VARCHAR(30),
    FOR_Bairro      VARCHAR(30),
    FOR_Cidade      VARCHAR(30),
    FOR_UF          VARCHAR(2),
    FOR_CEP         VARCHAR(10),
    FOR_Tipo        VARCHAR(1),
    FOR_CNPJ        VARCHAR(18),
    FOR_Insc        VARCHAR(20),
    FOR_Fone1       VARCHAR(15),
    FOR_Fone2       VARCHAR(15),
    FOR_FAX         VARCHAR(15),
    FOR_Celular     VARCHAR(15),
    FOR_Contato     VARCHAR(20),
    FOR_Email       VARCHAR(60),
    FOR_HomeP       VARCHAR(60),
    FOR_Banco       VARCHAR(15),
    FOR_Agencia     VARCHAR(10),
    FOR_Conta       VARCHAR(10),
    FOR_OBS         VARCHAR(200),
    FOR_DCad        DATE,
    FOR_Grupo       VARCHAR(6),
    CONSTRAINT PK_Fornecedor PRIMARY KEY (FOR_Codigo)
);

-- The ledger. Rows are never updated; the movement maintenance deletes them. The internal
-- number is the key, so two workstations can never store the same number.
CREATE TABLE Mov_Estq (
    MOV_CodInt      NUMERIC(15,0) NOT NULL,
    MOV_CodPro      CHAR(10),
    MOV_Oper        CHAR(2),
    MOV_Data        DATE,
    MOV_Quant       NUMERIC(15,3),
    MOV_Valor       NUMERIC(15,2),
    MOV_Doc         CHAR(20),
    MOV_Tipo        CHAR(6),
    MOV_CodFor      VARCHAR(10),
    CONSTRAINT PK_Mov_Estq PRIMARY KEY (MOV_CodInt)
);

-- Loans of non-consumable items; numbered on their own, independently of the ledger.
CREATE TABLE Mov_Consu (
    MOV_CodInt      NUMERIC(15,0) NOT NULL,
    MOV_CodPro      VARCHAR(10),
    MOV_Tipo        VARCHAR(6),
    MOV_Oper        VARCHAR(2),
    MOV_Data        DATE,
    MOV_DataD       DATE,
    MOV_DataE       DATE,
    MOV_Quant       NUMERIC(15,3),
    MOV_Doc         VARCHAR(20),
    MOV_Devolvido   VARCHAR(1),
    CONSTRAINT PK_Mov_Consu PRIMARY KEY (MOV_CodInt)
);

CREATE TABLE CodMOV (
    CODIGO          VARCHAR(2) NOT NULL,
    DESCRICAO       VARCHAR(10),
    CONSTRAINT PK_CodMOV PRIMARY KEY (CODIGO)
);

CREATE TABLE Usuarios (
    USU_Codigo      VARCHAR(6) NOT NULL,
    USU_Nome        VARCHAR(50),
    USU_Login       VARCHAR(10),
    USU_Senha       VARCHAR(10),
    USU_Ativo       VARCHAR(1),
    USU_DCad        DATE,
    CONSTRAINT PK_Usuarios PRIMARY KEY (USU_Codigo)
);

-- Module codes are stored padded on the right to various lengths; the look-up sends them
-- padded to 15, and the comparison ignores trailing blanks.
CREATE TABLE Permissoes (
    PER_CodUser     VARCHAR(6) NOT NULL,
    PER_CodMod      VARCHAR(15) NOT NULL,
    PER_Descricao   VARCHAR(50),
    PER_Ativo       VARCHAR(1),
    CONSTRAINT PK_Permissoes PRIMARY KEY (PER_CodUser, PER_CodMod)
);

-- The audit log has no key: it is only ever appended to.
CREATE TABLE Log (
    LOG_CodUser     VARCHAR(6),
    LOG_Descricao   VARCHAR(50),
    LOG_Data        DATE,
    LOG_Hora        TIME
);

CREATE TABLE Empresa (
    EMP_Codigo      VARCHAR(3) NOT NULL,
    EMP_Nome        VARCHAR(80),
    EMP_CNPJ        VARCHAR(18),
    EMP_Insc        VARCHAR(18),
    EMP_Ender       VARCHAR(50),
    EMP_Bairro      VARCHAR(30),
    EMP_Cidade      VARCHAR(29),
    EMP_UF          VARCHAR(4),
    EMP_Fone        VARCHAR(15),
    EMP_Fax         VARCHAR(15),
    EMP_Email       VARCHAR(80),
    EMP_HomeP       VARCHAR(80),
    EMP_Obs         VARCHAR(200),
    CONSTRAINT PK_Empresa PRIMARY KEY (EMP_Codigo)
);

CREATE TABLE Configuracoes (
    LOGIN           VARCHAR(1),
    Permissao       VARCHAR(1),
    Log             VARCHAR(1)
);

CREATE TABLE Versao (
    Numero          VARCHAR(20)
);

-- Next codes are read highest-first ("Order By ... Descending" or MAX). Without a descending
-- index every save would sort the whole table: 280 ms on a million-row ledger instead of 0.2.
CREATE DESCENDING INDEX IDX_Grupos_Codigo_Desc ON Grupos (GRU_Codigo);
CREATE DESCENDING INDEX IDX_GRU_Fornec_Codigo_Desc ON GRU_Fornec (GRU_Codigo);
CREATE DESCENDING INDEX IDX_Requisitante_Codigo_Desc ON Requisitante (REQ_Codigo);
CREATE DESCENDING INDEX IDX_Usuarios_Codigo_Desc ON Usuarios (USU_Codigo);
CREATE DESCENDING INDEX IDX_Fornecedor_Codigo_Desc ON Fornecedor (FOR_Codigo);
CREATE DESCENDING INDEX IDX_Mov_Estq_CodInt_Desc ON Mov_Estq (MOV_CodInt);
CREATE DESCENDING INDEX IDX_Mov_Consu_CodInt_Desc ON Mov_Consu (MOV_CodInt);

-- Ledger filters: by period, by product and by operation.
CREATE INDEX IDX_Mov_Estq_Data ON Mov_Estq (MOV_Data);
CREATE INDEX IDX_Mov_Estq_CodPro ON Mov_Estq (MOV_CodPro);
CREATE INDEX IDX_Mov_Estq_Oper ON Mov_Estq (MOV_Oper);

-- Open loans and overdue returns, by product and by requisitioner.
CREATE INDEX IDX_Mov_Consu_Devolvido ON Mov_Consu (MOV_Devolvido, MOV_DataD);
CREATE INDEX IDX_Mov_Consu_CodPro ON Mov_Consu (MOV_CodPro);
CREATE INDEX IDX_Mov_Consu_Tipo ON Mov_Consu (MOV_Tipo);

-- Audit log query by period and by user; products by bar code.
CREATE INDEX IDX_Log_Data ON Log (LOG_Data);
CREATE INDEX IDX_Log_CodUser ON Log (LOG_CodUser);
CREATE INDEX IDX_Produtos_CodBar ON Produtos (PRO_CodBar);

-- Reference rows the program expects before its first start. Login, permissions and the
-- audit log start switched off: with login on and no user yet, nobody could get in.
INSERT INTO Configuracoes (LOGIN, Permissao, Log) VALUES ('N', 'N', 'N');
INSERT INTO Versao (Numero) VALUES ('0.0.0-00000000');
INSERT INTO Empresa (EMP_Codigo) VALUES ('001');
INSERT INTO CodMOV (CODIGO, DESCRICAO) VALUES ('EE', 'Entrada');
INSERT INTO CodMOV (CODIGO, DESCRICAO) VALUES ('SS', 'Saída');
INSERT INTO CodMOV (CODIGO, DESCRICAO) VALUES ('TE', 'Est.Entr.');
INSERT INTO CodMOV (CODIGO, DESCRICAO) VALUES ('TS', 'Est.Saída');
