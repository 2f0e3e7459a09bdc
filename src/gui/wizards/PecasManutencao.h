#pragma once
// The pieces the bulk maintenance wizards share: the establishment drop-down
// page (lines of ListaEstabelecimentos, the chosen line as its hint) and the
// read-only summary of the chosen establishment.
#include <QGroupBox>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class EscolhaEstabelecimento;
class ResumoEstabelecimento;
}  // namespace Ui

namespace zovi::gui {

class EscolhaEstabelecimento : public QWidget {
    Q_OBJECT
public:
    explicit EscolhaEstabelecimento(QWidget* pai = nullptr);
    ~EscolhaEstabelecimento() override;

    // The texts of the page: the year after "Informações do Ano-Base ", the label above
    // the list and the advice below it.
    void Textos(const QString& anoBase, const QString& texto, const QString& conselho = {});
    // Replaces the lines (Windows-1252), none chosen.
    void Define(const std::vector<std::string>& linhas);
    // The chosen line as the core reads it; nullopt when none is chosen.
    std::optional<std::string> Escolhida() const;
    void Foca();

private:
    std::unique_ptr<Ui::EscolhaEstabelecimento> ui_;
};

class ResumoEstabelecimento : public QGroupBox {
    Q_OBJECT
public:
    explicit ResumoEstabelecimento(QWidget* pai = nullptr);
    ~ResumoEstabelecimento() override;

    // Inscription as the list shows it, prefix and name, all Windows-1252.
    void Mostra(const std::string& inscricao, const std::string& prefixo, const std::string& nome);

private:
    std::unique_ptr<Ui::ResumoEstabelecimento> ui_;
};

}  // namespace zovi::gui
