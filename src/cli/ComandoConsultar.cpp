#include "ComandoConsultar.h"

#include "ComandoAnalisar.h"
#include "ComandoRelatorio.h"
#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "analysis/AnaliseEstrutura.h"
#include "declfile/ConsultaArquivo.h"
#include "engine/Banco.h"
#include "platform/Texto1252.h"

namespace zovi {

int ComandoConsultar(const std::vector<std::string>& a, const std::function<std::filesystem::path()>& pastaDados) {
    const bool pdf = a.size() == 3 && a[1] == "--pdf";
    if (a.size() != 1 && !pdf) {
        Escreve("uso: gdzovi-lote consultar ARQUIVO [--pdf SAIDA]", true);
        return 64;
    }
    if (!std::filesystem::is_regular_file(a[0])) {
        Escreve("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.", true);
        return 66;
    }
    const std::string pasta = pastaDados().string();
    int resultado;
    {
        auto trava = TomaPastaCompartilhada(pasta);
        Banco banco;
        banco.Abre("Zovi2005", {"path=" + pasta});
        InteracaoTerminal terminal;
        resultado = fCarregaConsulta(banco, a[0], terminal);
        if (!ConsultaCarregada(resultado)) {
            if (resultado == kAnaliseInterrompida) return resultado;
            Escreve("O arquivo contido no disquete não poderá ser consultado, não está de acordo com a "
                    "especificação do arquivo para o ano-base.",
                    true);
            if (resultado == kAnaliseComFalha) EscreveFalhasEstrutura(banco);
            return 1;
        }
        if (!pdf) {
            EscreveConsulta(banco, [](const std::string& linha) { Escreve(linha); });
            return 0;
        }
    }
    return ComandoRelatorio({"declaracao", pasta, "--pdf", a[2], "--trabalho"});
}

}  // namespace zovi
