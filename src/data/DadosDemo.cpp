#include "data/DadosDemo.h"

#include "common/Decimal.h"
#include "common/Funcoes.h"
#include "common/Versao.h"
#include "data/firebird/Conexao.h"
#include "data/firebird/Consulta.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QDate>
#include <QMap>
#include <QVariantList>

namespace {

using Funcoes::codigoFornecedor;
using Funcoes::codigoProduto;
using Funcoes::codigoSeis;

void insere(Transacao& t, const QString& sql, const QVariantList& valores)
{
    Consulta c(t.conexao());
    c.setSql(sql);
    const QStringList nomes = c.parametros();
    for (int i = 0; i < nomes.size(); ++i)
        c.setParametro(nomes[i], valores.value(i));
    c.executa(t);
}

struct Produto {
    QString codigo;
    QString descricao;
    QString unidade;
    QString grupo;
    QString local;
    int minimo;
    int maximo;
    bool consumivel;
    QString referencia;
    QString codBarras;
    Decimal quantidade;
    Decimal custo;
    QDate ultimaCompra;
    QString ultimoFornecedor;
};

// Keeps each product's quantity and average cost as the movement windows do, so the demo
// ledger and the product register tell the same story.
class Almoxarifado {
public:
    explicit Almoxarifado(Transacao& t) : m_t(t) {}

    void produto(Produto p) { m_produtos.insert(p.codigo, p); }

    void entrada(const QString& produto, const QDate& data, const QString& quant,
                 const QString& unitario, const QString& fornecedor, const QString& doc)
    {
        Produto& p = m_produtos[codigoProduto(produto)];
        const Decimal q = *Decimal::deTexto(quant);
        const Decimal total = (q * *Decimal::deTexto(unitario)).arredondado(2);
        const Decimal novaQuant = p.quantidade + q;
        p.custo = (p.quantidade * p.custo + total).dividido(novaQuant, 2);
        p.quantidade = novaQuant;
        p.ultimaCompra = data;
        p.ultimoFornecedor = codigoFornecedor(fornecedor);
        movimento(p.codigo, QStringLiteral("EE"), data, q, total, doc, QString(),
                  p.ultimoFornecedor);
    }

    void saida(const QString& produto, const QDate& data, const QString& quant,
               const QString& requisitante, const QString& doc, const QDate& devolucao = {})
    {
        Produto& p = m_produtos[codigoProduto(produto)];
        const Decimal q = *Decimal::deTexto(quant);
        const Decimal total = p.consumivel ? (q * p.custo).arredondado(2) : Decimal(0, 2);
        p.quantidade = p.quantidade - q;
        movimento(p.codigo, QStringLiteral("SS"), data, q, total, doc, codigoSeis(requisitante),
                  QString());
        if (!p.consumivel) {
            ++m_emprestimos;
            insere(
                m_t,
                QStringLiteral("Insert into MOV_Consu (MOV_CodPro,MOV_Tipo,Mov_Data,Mov_DataD, "
                               "Mov_Quant,Mov_Doc,MOV_Devolvido,MOV_CodInt) Values (:CodProC, "
                               ":TipoC, :DataC, :DataDC, :QuantC, :DocC, :DevolvidoC, :CodIntC)"),
                {p.codigo, codigoSeis(requisitante), data, devolucao, QVariant::fromValue(q), doc,
                 QStringLiteral("N"), m_emprestimos});
        }
    }

    void gravaProdutos(const QDate& cadastro)
    {
        for (const Produto& p : std::as_const(m_produtos)) {
            insere(m_t,
                   QStringLiteral(
                       "Insert into Produtos (PRO_Codigo,PRO_Descricao, PRO_Unid,PRO_CodGRU,"
                       "PRO_Local,PRO_Min,PRO_Valor,PRO_DCad,PRO_OBS,PRO_Refer,PRO_CodBar,"
                       "PRO_EMax,PRO_Quant,PRO_Consumivel,PRO_UComp,PRO_CodFor) Values (:a,:b,"
                       ":c,:d,:e,:f,:g,:h,:i,:j,:k,:l,:m,:n,:o,:p)"),
                   {p.codigo, p.descricao, p.unidade, p.grupo, p.local, p.minimo,
                    QVariant::fromValue(p.custo), cadastro, QString(), p.referencia, p.codBarras,
                    p.maximo, QVariant::fromValue(p.quantidade),
                    QString::fromLatin1(p.consumivel ? "S" : "N"),
                    p.ultimaCompra.isValid() ? QVariant(p.ultimaCompra) : QVariant(),
                    p.ultimoFornecedor});
        }
    }

private:
    void movimento(const QString& produto, const QString& oper, const QDate& data, const Decimal& q,
                   const Decimal& valor, const QString& doc, const QString& requisitante,
                   const QString& fornecedor)
    {
        ++m_numero;
        insere(m_t,
               QStringLiteral("Insert into MOV_ESTQ (MOV_CodPro,MOV_Oper, MOV_Data,MOV_Valor,"
                              "MOV_Quant,MOV_Doc,MOV_Tipo,MOV_CodInt,MOV_CodFor) Values (:a,:b,"
                              ":c,:d,:e,:f,:g,:h,:i)"),
               {produto, oper, data, QVariant::fromValue(valor), QVariant::fromValue(q), doc,
                requisitante, m_numero, fornecedor});
    }

    Transacao& m_t;
    QMap<QString, Produto> m_produtos;
    qint64 m_numero = 0;
    qint64 m_emprestimos = 0;
};

} // namespace

namespace DadosDemo {

void preenche(Conexao& conexao)
{
    Consulta existe(conexao);
    existe.setSql(QStringLiteral("select count(*) from Produtos"));
    if (existe.primeiroValor().toLongLong() > 0)
        throw ErroBanco(QStringLiteral("O banco já tem produtos; os dados de demonstração só "
                                       "entram num banco vazio."));

    Transacao t(conexao);
    const QDate hoje = QDate::currentDate();
    const QDate inicio = hoje.addDays(-60);

    insere(t,
           QStringLiteral("Update Empresa set EMP_Nome=:a, EMP_CNPJ=:b, EMP_Insc=:c, "
                          "EMP_Ender=:d, EMP_Bairro=:e, EMP_Cidade=:f, EMP_UF=:g, EMP_Fone=:h, "
                          "EMP_Fax=:i, EMP_Email=:j, EMP_HomeP=:k, EMP_Obs=:l "
                          "Where EMP_Codigo=:CodigoC"),
           {QStringLiteral("Metalúrgica Serra Azul Ltda."), QStringLiteral("12.345.678/0001-90"),
            QStringLiteral("244.118.705.112"), QStringLiteral("Rua das Acácias, 410"),
            QStringLiteral("Distrito Industrial"), QStringLiteral("São José do Ribeirão"),
            QStringLiteral("SP"), QStringLiteral("(19) 3241-5500"),
            QStringLiteral("(19) 3241-5501"), QStringLiteral("almoxarifado@serraazul.ind.br"),
            QStringLiteral("www.serraazul.ind.br"),
            QStringLiteral("Dados de demonstração: altere em Cadastros, Dados da Empresa."),
            QStringLiteral("001")});

    const QList<QPair<QString, QString>> grupos = {
        {"1", QStringLiteral("Ferramentas Manuais")},
        {"2", QStringLiteral("Material Elétrico")},
        {"3", QStringLiteral("Equipamentos de Proteção (EPI)")},
        {"4", QStringLiteral("Material de Escritório")},
        {"5", QStringLiteral("Limpeza e Higiene")},
    };
    for (const auto& [codigo, nome] : grupos)
        insere(t, QStringLiteral("Insert into Grupos (GRU_Codigo, GRU_Descricao) values (:a, :b)"),
               {codigoSeis(codigo), nome});

    const QList<QPair<QString, QString>> requisitantes = {
        {"1", QStringLiteral("Manutenção Mecânica")},
        {"2", QStringLiteral("Manutenção Elétrica")},
        {"3", QStringLiteral("Produção - Linha 1")},
        {"4", QStringLiteral("Administração")},
        {"5", QStringLiteral("João Antônio Conceição")},
    };
    for (const auto& [codigo, nome] : requisitantes)
        insere(
            t,
            QStringLiteral("Insert into Requisitante (REQ_Codigo, REQ_Descricao) values (:a, :b)"),
            {codigoSeis(codigo), nome});

    const QList<QPair<QString, QString>> gruposFornec = {
        {"1", QStringLiteral("Ferragens")},
        {"2", QStringLiteral("Materiais Elétricos")},
        {"3", QStringLiteral("Papelaria e Limpeza")},
    };
    for (const auto& [codigo, nome] : gruposFornec)
        insere(t, QStringLiteral("Insert into GRU_Fornec (GRU_Codigo, GRU_Desc) values (:a, :b)"),
               {codigoSeis(codigo), nome});

    struct Fornec {
        const char* codigo;
        QString fantasia, razao, ender, numero, bairro, cidade, uf, cep, cnpj, fone, contato, email,
            grupo;
    };
    const QList<Fornec> fornecedores = {
        {"1", QStringLiteral("Ferragens São Jorge"), QStringLiteral("Ferragens São Jorge Ltda."),
         QStringLiteral("Av. Brasil"), QStringLiteral("1520"), QStringLiteral("Centro"),
         QStringLiteral("São José do Ribeirão"), QStringLiteral("SP"), QStringLiteral("13010-200"),
         QStringLiteral("23.456.789/0001-01"), QStringLiteral("(19) 3233-1010"),
         QStringLiteral("Márcio"), QStringLiteral("vendas@ferragenssaojorge.com.br"),
         QStringLiteral("000001")},
        {"2", QStringLiteral("Eletro Luz"),
         QStringLiteral("Eletro Luz Comércio de Materiais Elétricos Ltda."),
         QStringLiteral("Rua Tiradentes"), QStringLiteral("88"), QStringLiteral("Vila Nova"),
         QStringLiteral("Campo Alegre"), QStringLiteral("SP"), QStringLiteral("13050-030"),
         QStringLiteral("34.567.890/0001-12"), QStringLiteral("(19) 3276-4040"),
         QStringLiteral("Luciana"), QStringLiteral("contato@eletroluz.com.br"),
         QStringLiteral("000002")},
        {"3", QStringLiteral("Papelaria Ipê"), QStringLiteral("Ipê Papelaria e Limpeza Eireli"),
         QStringLiteral("Rua Conceição"), QStringLiteral("301"), QStringLiteral("Cambuí"),
         QStringLiteral("São José do Ribeirão"), QStringLiteral("SP"), QStringLiteral("13025-151"),
         QStringLiteral("45.678.901/0001-23"), QStringLiteral("(19) 3254-7788"),
         QStringLiteral("Sônia"), QStringLiteral("pedidos@papelariaipe.com.br"),
         QStringLiteral("000003")},
    };
    for (const Fornec& f : fornecedores)
        insere(
            t,
            QStringLiteral("Insert into Fornecedor (FOR_Codigo, FOR_Fanta, FOR_Razao, "
                           "FOR_Ender, FOR_Numero, FOR_Bairro, FOR_Cidade, FOR_UF, FOR_CEP, "
                           "FOR_Tipo, FOR_CNPJ, FOR_Fone1, FOR_Contato, FOR_Email, FOR_DCad, "
                           "FOR_Grupo) values (:a,:b,:c,:d,:e,:f,:g,:h,:i,:j,:k,:l,:m,:n,:o,:p)"),
            {codigoFornecedor(QLatin1String(f.codigo)), f.fantasia, f.razao, f.ender, f.numero,
             f.bairro, f.cidade, f.uf, f.cep, QStringLiteral("J"), f.cnpj, f.fone, f.contato,
             f.email, inicio, f.grupo});

    // A first look at the program should not begin with a version update.
    insere(t, QStringLiteral("Update Versao set Numero=:NumeroC"),
           {QString::fromLatin1(versaoPrograma)});

    // The products as the stock room registers them: code, description, unit, group, shelf,
    // minimum and maximum stock, whether it is used up, the maker's reference and the bar code.
    struct ProdutoDemo {
        const char* codigo;
        QString descricao;
        const char *unidade, *grupo, *local;
        int minimo, maximo;
        bool consumivel;
        QString referencia;
        const char* codBarras;
    };
    const QList<ProdutoDemo> produtos = {
        {"1", QStringLiteral("Chave de fenda 1/4\" x 6\""), "UN", "1", "A-01", 2, 10, false,
         QStringLiteral("CF-1406"), "7891234500011"},
        {"2", QStringLiteral("Alicate universal 8\""), "UN", "1", "A-01", 2, 8, false,
         QStringLiteral("AU-0800"), "7891234500028"},
        {"3", QStringLiteral("Furadeira de impacto 650 W"), "UN", "1", "A-02", 1, 3, false,
         QStringLiteral("FI-650"), "7891234500035"},
        {"10", QStringLiteral("Fio flexível 2,5 mm² azul"), "M", "2", "B-03", 100, 500, true,
         QStringLiteral("FX25-AZ"), "7891234500103"},
        {"11", QStringLiteral("Disjuntor bipolar 20 A"), "UN", "2", "B-04", 5, 30, true,
         QStringLiteral("DJ-2P20"), "7891234500110"},
        {"12", QStringLiteral("Fita isolante 19 mm x 20 m"), "RL", "2", "B-04", 10, 60, true,
         QStringLiteral("FI-1920"), "7891234500127"},
        {"20", QStringLiteral("Luva de vaqueta"), "PR", "3", "C-01", 20, 100, true,
         QStringLiteral("LV-09"), "7891234500202"},
        {"21", QStringLiteral("Óculos de segurança incolor"), "UN", "3", "C-01", 10, 50, true,
         QStringLiteral("OS-INC"), "7891234500219"},
        {"30", QStringLiteral("Papel sulfite A4 (resma com 500 folhas)"), "RS", "4", "D-02", 10, 80,
         true, QStringLiteral("PS-A4"), "7891234500301"},
        {"31", QStringLiteral("Caneta esferográfica azul"), "UN", "4", "D-02", 50, 300, true,
         QStringLiteral("CE-AZ"), "7891234500318"},
        {"40", QStringLiteral("Detergente neutro 5 L"), "GL", "5", "E-01", 4, 20, true,
         QStringLiteral("DN-5L"), "7891234500400"},
    };
    Almoxarifado a(t);
    for (const ProdutoDemo& p : produtos)
        a.produto({codigoProduto(QLatin1String(p.codigo)), p.descricao, QLatin1String(p.unidade),
                   codigoSeis(QLatin1String(p.grupo)), QLatin1String(p.local), p.minimo, p.maximo,
                   p.consumivel, p.referencia, QLatin1String(p.codBarras), Decimal(0, 3),
                   Decimal(0, 2), QDate(), QString()});

    // Two months of the stock room, in the order they happened, days counted from the first
    // purchase: a purchase has its unit price and its supplier, an issue has no price and goes
    // to a requisitioner, and a tool lent out has the day it is due back. A second purchase at
    // another price moves the average cost.
    struct LancamentoDemo {
        const char* produto;
        int dia;
        const char *quantidade, *unitario, *quem, *documento;
        int devolucao = -1;
    };
    // One movement a line, as a ledger reads.
    // clang-format off
    const QList<LancamentoDemo> lancamentos = {
        {"1", 0, "6", "18,90", "1", "NF 10231"},
        {"2", 0, "4", "42,50", "1", "NF 10231"},
        {"3", 1, "2", "389,00", "1", "NF 10245"},
        {"10", 2, "300", "2,15", "2", "NF 5512"},
        {"11", 2, "20", "31,40", "2", "NF 5512"},
        {"12", 2, "40", "4,79", "2", "NF 5512"},
        {"20", 3, "60", "14,25", "1", "NF 10302"},
        {"21", 3, "30", "9,80", "1", "NF 10302"},
        {"30", 4, "40", "24,90", "3", "NF 887"},
        {"31", 4, "200", "1,35", "3", "NF 887"},
        {"40", 4, "12", "38,70", "3", "NF 887"},
        {"10", 10, "85,5", nullptr, "2", "REQ 0001"},
        {"12", 10, "6", nullptr, "2", "REQ 0001"},
        {"20", 12, "15", nullptr, "3", "REQ 0002"},
        {"30", 15, "8", nullptr, "4", "REQ 0003"},
        {"31", 15, "40", nullptr, "4", "REQ 0003"},
        {"1", 20, "2", nullptr, "1", "REQ 0004", 27},
        {"3", 21, "1", nullptr, "1", "REQ 0005", 24},
        {"10", 30, "200", "2,39", "2", "NF 5678"},
        {"30", 32, "20", "26,50", "3", "NF 912"},
        {"10", 40, "120", nullptr, "1", "REQ 0006"},
        {"11", 41, "3", nullptr, "2", "REQ 0007"},
        {"21", 45, "4", nullptr, "3", "REQ 0008"},
        {"2", 50, "1", nullptr, "5", "REQ 0009", 65},
    };
    // clang-format on
    for (const LancamentoDemo& l : lancamentos) {
        const QDate dia = inicio.addDays(l.dia);
        if (l.unitario)
            a.entrada(QLatin1String(l.produto), dia, QLatin1String(l.quantidade),
                      QLatin1String(l.unitario), QLatin1String(l.quem), QLatin1String(l.documento));
        else
            a.saida(QLatin1String(l.produto), dia, QLatin1String(l.quantidade),
                    QLatin1String(l.quem), QLatin1String(l.documento),
                    l.devolucao < 0 ? QDate() : inicio.addDays(l.devolucao));
    }

    a.gravaProdutos(inicio);
    t.commit();
}

void preencheVolume(Conexao& conexao, qint64 produtos, qint64 movimentos)
{
    Consulta existe(conexao);
    existe.setSql(QStringLiteral("select count(*) from Produtos"));
    if (existe.primeiroValor().toLongLong() > 0)
        throw ErroBanco(QStringLiteral("O banco já tem produtos; os dados de volume só entram "
                                       "num banco vazio."));
    existe.setSql(QStringLiteral("select count(*) from Mov_Estq"));
    if (existe.primeiroValor().toLongLong() > 0)
        throw ErroBanco(QStringLiteral("O banco já tem movimentos; os dados de volume só entram "
                                       "num banco vazio."));

    const int gruposTotal = 20;
    {
        Transacao t(conexao);
        Consulta grupo(conexao);
        grupo.setSql(
            QStringLiteral("Insert into Grupos (GRU_Codigo, GRU_Descricao) values (:a, :b)"));
        for (int g = 1; g <= gruposTotal; ++g) {
            grupo.setParametro(QStringLiteral("a"), codigoSeis(QString::number(g)));
            grupo.setParametro(QStringLiteral("b"), QStringLiteral("Grupo %1").arg(g));
            grupo.executa(t);
        }
        t.commit();
    }

    // Large transactions: a commit per row would spend most of the time writing pages.
    const qint64 lote = 20000;
    const QDate hoje = QDate::currentDate();
    Consulta produto(conexao);
    produto.setSql(QStringLiteral(
        "Insert into Produtos (PRO_Codigo,PRO_Descricao, PRO_Unid,PRO_CodGRU,PRO_Local,PRO_Min,"
        "PRO_Valor,PRO_DCad,PRO_Refer,PRO_EMax,PRO_Quant,PRO_Consumivel) Values (:CodigoC,"
        ":DescricaoC,'UN',:GrupoC,'A-01',1,:ValorC,:DataC,'',100,:QuantC,:ConsumivelC)"));
    for (qint64 inicio = 1; inicio <= produtos; inicio += lote) {
        Transacao t(conexao);
        for (qint64 i = inicio; i < inicio + lote && i <= produtos; ++i) {
            produto.setParametro(QStringLiteral("CodigoC"), codigoProduto(QString::number(i)));
            produto.setParametro(QStringLiteral("DescricaoC"), QStringLiteral("Produto %1").arg(i));
            produto.setParametro(QStringLiteral("GrupoC"),
                                 codigoSeis(QString::number(1 + i % gruposTotal)));
            produto.setParametro(QStringLiteral("ValorC"),
                                 QVariant::fromValue(Decimal(100 + i % 9000, 2)));
            produto.setParametro(QStringLiteral("DataC"), hoje);
            produto.setParametro(QStringLiteral("QuantC"),
                                 QVariant::fromValue(Decimal(1000000, 3)));
            produto.setParametro(QStringLiteral("ConsumivelC"),
                                 QString::fromLatin1(i % 10 ? "S" : "N"));
            produto.executa(t);
        }
        t.commit();
    }

    Consulta mov(conexao);
    mov.setSql(QStringLiteral("Insert into MOV_ESTQ (MOV_CodPro,MOV_Oper, MOV_Data,MOV_Valor,"
                              "MOV_Quant,MOV_Doc,MOV_Tipo,MOV_CodInt,MOV_CodFor) Values (:CodigoC,"
                              ":OperC,:DataC,:ValorC,:QuantC,:DocC,:TipoC,:CodIntC,:CodForC)"));
    const QString vazio;
    for (qint64 inicio = 1; inicio <= movimentos; inicio += lote) {
        Transacao t(conexao);
        for (qint64 n = inicio; n < inicio + lote && n <= movimentos; ++n) {
            const bool entrada = n % 3 == 1;
            mov.setParametro(QStringLiteral("CodigoC"),
                             codigoProduto(QString::number(1 + (n * 7919) % produtos)));
            mov.setParametro(QStringLiteral("OperC"), QString::fromLatin1(entrada ? "EE" : "SS"));
            mov.setParametro(QStringLiteral("DataC"),
                             hoje.addDays(-(movimentos - n) * 1825 / movimentos));
            mov.setParametro(QStringLiteral("ValorC"),
                             QVariant::fromValue(Decimal(500 + n % 10000, 2)));
            mov.setParametro(QStringLiteral("QuantC"),
                             QVariant::fromValue(Decimal(1000 + n % 5000, 3)));
            mov.setParametro(QStringLiteral("DocC"), QStringLiteral("NF %1").arg(n));
            mov.setParametro(QStringLiteral("TipoC"),
                             entrada ? vazio : codigoSeis(QString::number(1 + n % 50)));
            mov.setParametro(QStringLiteral("CodIntC"), n);
            mov.setParametro(QStringLiteral("CodForC"),
                             entrada ? codigoFornecedor(QString::number(1 + n % 30)) : vazio);
            mov.executa(t);
        }
        t.commit();
    }
}

} // namespace DadosDemo
