#include "data/DataModule_Log.h"

#include "data/firebird/Transacao.h"

#include <QDateTime>

TdmLog::TdmLog(Conexao& c) : SQLQLog(c), SQLQLog2(c)
{
    cdsLOG.setColunas({{QStringLiteral("LOG_CODUSER"), QStringLiteral("Cód.Usuário")},
                       {QStringLiteral("LOG_DESCRICAO"), QStringLiteral("Evento")},
                       {QStringLiteral("LOG_DATA"), QStringLiteral("Data")},
                       {QStringLiteral("LOG_HORA"), QStringLiteral("Hora")},
                       {QStringLiteral("USU_NOME"), QStringLiteral("Nome do Usuário")}});
    cdsLOG.setFormato(QStringLiteral("LOG_DATA"), DataSet::Formato::Data);
    cdsLOG.setFormato(QStringLiteral("LOG_HORA"), DataSet::Formato::Hora);
}

void TdmLog::filtra(const QString& codUsuario, const QDate& inicio, const QDate& fim)
{
    SQLQLog2.limpa();
    if (!codUsuario.isEmpty()) {
        SQLQLog2.adiciona(
            QStringLiteral("Select L.* , U.USU_Nome From Log l Join Usuarios U on (l.LOG_CodUser "
                           "=u.USU_Codigo)  Where l.LOG_CodUser=:CodUserC and l.LOG_Data Between "
                           ":DataInicialC and :DataFinalC"));
        SQLQLog2.adiciona(QStringLiteral("Order By l.LOG_DATA,l.LOG_HOra"));
        SQLQLog2.setParametro(QStringLiteral("CodUserC"), codUsuario);
    } else {
        SQLQLog2.adiciona(QStringLiteral(
            "Select L.* , U.USU_Nome From Log l Join Usuarios U on (l.LOG_CodUser "
            "=u.USU_Codigo)  Where l.LOG_Data Between :DataInicialC and :DataFinalC"));
        SQLQLog2.adiciona(QStringLiteral("Order By l.LOG_DATA,l.LOG_HOra"));
    }
    SQLQLog2.setParametro(QStringLiteral("DataInicialC"), inicio);
    SQLQLog2.setParametro(QStringLiteral("DataFinalC"), fim);
    cdsLOG.abre(SQLQLog2);
}

void TdmLog::registra(Transacao& transacao, const QString& codUsuario, const QString& descricao)
{
    Consulta c(transacao.conexao());
    c.adiciona(QStringLiteral("Insert Into LOG (LOG_CodUser,LOG_Descricao, LOG_data, LOG_Hora)"));
    c.adiciona(QStringLiteral("Values (:CodUserC, :DescricaoC, :DataC, :HoraC)"));
    c.setParametro(QStringLiteral("CodUserC"), codUsuario);
    c.setParametro(QStringLiteral("DescricaoC"), descricao);
    // One reading of the clock for both: read separately, a line written at midnight could
    // take the date of one day and the time of the next.
    const QDateTime agora = QDateTime::currentDateTime();
    c.setParametro(QStringLiteral("DataC"), agora.date());
    c.setParametro(QStringLiteral("HoraC"), agora.time());
    c.executa(transacao);
}
