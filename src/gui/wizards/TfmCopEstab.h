#pragma once
// The pages of the transfer of employees to a new establishment, fmCopEstab00 to
// fmCopEstab03, and the notice of its rules, fmCopEstabRegras: presentation,
// source establishment, the tick list of employees, and the destination whose
// "Concluir" creates it and moves the ticked employees there.
#include <QDialog>

#include <memory>

#include "wizards/AssistenteManutencao.h"

namespace Ui {
class TfmCopEstab;
class TfmCopEstabRegras;
}  // namespace Ui

namespace zovi::gui {

class ListaMarcacao;

class TfmCopEstabRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmCopEstabRegras(QWidget* pai = nullptr);
    ~TfmCopEstabRegras() override;

private:
    std::unique_ptr<Ui::TfmCopEstabRegras> ui_;
};

class TfmCopEstab : public PaginaAssistente {
    Q_OBJECT
public:
    TfmCopEstab(ContextoManutencao& contexto, ServicoDialogos& dialogos, int pagina, QWidget* pai = nullptr);
    ~TfmCopEstab() override;

    EscolhaEstabelecimento& Estabelecimentos();
    ListaMarcacao& Empregados();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void Avancar();
    void Voltar();
    void Concluir();
    // The destination boxes as they are left; false (focus kept there) when refused.
    bool ConfereInscricao();
    bool ConferePrefixo();
    bool SaindoParaVoltarOuCancelar() const;

    std::unique_ptr<Ui::TfmCopEstab> ui_;
    ContextoManutencao& manutencao_;
    const int pagina_;
    DestinoTransferencia destino_;
};

}  // namespace zovi::gui
