#include "contexto/ConfigIni.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace ConfigIni {

namespace {

const QString nomePadrao = QStringLiteral("Config.ini");

QDir diretorio(const QString& pasta)
{
    return QDir(pasta.isEmpty() ? QDir::currentPath() : pasta);
}

QString decodifica(const QByteArray& bytes, bool* emUtf8)
{
    // Files written on the old workstations are Latin-1; accept UTF-8 where it is valid.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8.decode(bytes);
    *emUtf8 = !utf8.hasError();
    if (utf8.hasError())
        texto = QString::fromLatin1(bytes);
    return texto;
}

bool ehSecao(const QString& linha, QString* nome)
{
    const QString t = linha.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *nome = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool ehChave(const QString& linha, const QString& chave, QString* valor)
{
    const int igual = int(linha.indexOf(QLatin1Char('=')));
    if (igual < 0 || linha.left(igual).trimmed().compare(chave, Qt::CaseInsensitive) != 0)
        return false;
    if (valor)
        *valor = linha.mid(igual + 1).trimmed();
    return true;
}

QStringList linhas(const QString& caminho, bool* emUtf8 = nullptr)
{
    bool utf8 = false;
    if (emUtf8)
        *emUtf8 = false;
    QFile f(caminho);
    if (caminho.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    QString texto = decodifica(bytes, &utf8);
    // Pure ASCII reads the same either way; only a file with UTF-8 accents stays UTF-8.
    if (emUtf8)
        *emUtf8 = utf8 && texto.size() != bytes.size();
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList r = texto.split(QLatin1Char('\n'));
    if (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r;
}

} // namespace

QString arquivo(const QString& pasta)
{
    const QDir d = diretorio(pasta);
    const QStringList nomes = d.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& nome : nomes)
        if (nome.compare(nomePadrao, Qt::CaseInsensitive) == 0)
            return d.filePath(nome);
    return QString();
}

bool existe(const QString& pasta)
{
    return !arquivo(pasta).isEmpty();
}

QString lePasta(const QString& pasta)
{
    QString secao;
    QString valor;
    for (const QString& linha : linhas(arquivo(pasta))) {
        QString nome;
        if (ehSecao(linha, &nome))
            secao = nome;
        else if (secao.compare(QLatin1String("PASTA"), Qt::CaseInsensitive) == 0 &&
                 ehChave(linha, QStringLiteral("PATH"), &valor))
            return valor;
    }
    return QString();
}

bool gravaPasta(const QString& valor, const QString& pasta)
{
    QString caminho = arquivo(pasta);
    if (caminho.isEmpty())
        caminho = diretorio(pasta).filePath(nomePadrao);

    QStringList saida;
    QString secao;
    bool gravado = false;
    bool achouSecao = false;
    const QString linhaNova = QStringLiteral("PATH=") + valor;
    bool emUtf8 = false;
    for (const QString& linha : linhas(caminho, &emUtf8)) {
        QString nome;
        if (ehSecao(linha, &nome)) {
            // Leaving the section without having seen the key: add it at its end.
            if (!gravado && secao.compare(QLatin1String("PASTA"), Qt::CaseInsensitive) == 0) {
                saida << linhaNova;
                gravado = true;
            }
            secao = nome;
            achouSecao =
                achouSecao || nome.compare(QLatin1String("PASTA"), Qt::CaseInsensitive) == 0;
            saida << linha;
            continue;
        }
        if (secao.compare(QLatin1String("PASTA"), Qt::CaseInsensitive) == 0 &&
            ehChave(linha, QStringLiteral("PATH"), nullptr)) {
            if (!gravado)
                saida << linhaNova;
            gravado = true;
            continue;
        }
        saida << linha;
    }
    if (!gravado) {
        if (!achouSecao)
            saida << QStringLiteral("[PASTA]");
        saida << linhaNova;
    }

    QSaveFile f(caminho);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QString texto = saida.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    // Latin-1 is what the other workstations' programs read; a file someone saved as UTF-8
    // keeps its encoding, so its other lines are not garbled.
    f.write(emUtf8 ? texto.toUtf8() : texto.toLatin1());
    return f.commit();
}

bool apaga(const QString& pasta)
{
    const QString caminho = arquivo(pasta);
    return caminho.isEmpty() || QFile::remove(caminho);
}

} // namespace ConfigIni
