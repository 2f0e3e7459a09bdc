#pragma once
// Where a report's rows come from: read forward, one at a time, so that a
// report over a large table never holds its rows. A source can be opened
// again at a row it passed before; that is how a single page of a long report
// is drawn again without the pages before it.
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace zovi {
class Banco;
class Consulta;
}  // namespace zovi

namespace zovi::relatorios {

class FonteLinhas {
public:
    virtual ~FonteLinhas() = default;
    // Positions on the first row (Fim() when there is none).
    virtual void Abre() = 0;
    virtual void Fecha() {}
    virtual bool Fim() const = 0;
    virtual void Proximo() = 0;
    virtual QString Campo(const QString& nome) const = 0;
    // Opens the source positioned on the row of that index (counted from 0).
    virtual void AbreEm(long indice);
};

// The rows of a local SQL statement on the database; core text (Windows-1252) read as Unicode.
// A table that does not exist reads as no rows.
class FonteConsulta : public FonteLinhas {
public:
    FonteConsulta(Banco& banco, std::vector<std::string> sql, std::vector<std::string> tabelasNecessarias = {});
    ~FonteConsulta() override;
    void Abre() override;
    void Fecha() override;
    bool Fim() const override;
    void Proximo() override;
    QString Campo(const QString& nome) const override;
    // The statement, for its parameters (set before the source is opened).
    Consulta& Comando() { return *consulta_; }

private:
    Banco& banco_;
    std::vector<std::string> tabelas_;
    std::unique_ptr<Consulta> consulta_;
    bool vazia_ = true;
    // Field name -> column, found once per opening: a wide row is read field by field.
    mutable QHash<QString, int> colunas_;
};

// Rows held in memory: small fixed reports and tests.
class FonteMemoria : public FonteLinhas {
public:
    FonteMemoria(QStringList campos, std::vector<QStringList> linhas)
        : campos_(std::move(campos)), linhas_(std::move(linhas)) {}
    void Abre() override { atual_ = 0; }
    bool Fim() const override { return atual_ >= linhas_.size(); }
    void Proximo() override { ++atual_; }
    QString Campo(const QString& nome) const override;
    void AbreEm(long indice) override { atual_ = static_cast<size_t>(indice); }

private:
    QStringList campos_;
    std::vector<QStringList> linhas_;
    size_t atual_ = 0;
};

// Core text (Windows-1252) as Unicode.
QString TextoCore(const std::string& cp1252);

}  // namespace zovi::relatorios
