#pragma once
// The pages of the multiple deletion of employees, fmExclMult00 to fmExclMult04:
// presentation, establishment, order of the list, the tick list of employees, and
// the confirmation whose "Concluir" deletes the ticked ones.
#include <memory>

#include "wizards/AssistenteManutencao.h"

namespace Ui {
class TfmExclMult;
}

namespace zovi::gui {

class ListaMarcacao;

class TfmExclMult : public PaginaAssistente {
    Q_OBJECT
public:
    TfmExclMult(ContextoManutencao& contexto, ServicoDialogos& dialogos, int pagina, QWidget* pai = nullptr);
    ~TfmExclMult() override;

    ListaMarcacao& Empregados();
    EscolhaEstabelecimento& Estabelecimentos();

protected:
    void showEvent(QShowEvent* e) override;
    void Cancela() override;

private:
    void Avancar();
    void Voltar();
    void Concluir();

    std::unique_ptr<Ui::TfmExclMult> ui_;
    ContextoManutencao& manutencao_;
    const int pagina_;
};

}  // namespace zovi::gui
