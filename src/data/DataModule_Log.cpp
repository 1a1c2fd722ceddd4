#include "data/DataModule_Log.h"

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
    cdsLOG.carrega(SQLQLog2);
}
