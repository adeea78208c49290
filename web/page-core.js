// The page's own words and the game's command line, worked out from the page's address. Nothing
// here touches the page: page.js uses it in the browser, and the tests load it in Node.
'use strict';

(function (exports) {
  // The game's languages, in the order the game lists them.
  const LANGUAGES = ['ja', 'en', 'zh-Hans', 'ko', 'es', 'de', 'zh-Hant', 'fr', 'pt-BR', 'ru', 'it'];

  // The page's texts, in the words the game's own texts use (glossary.md): "save" is the game's
  // セーブデータ / 存档 / 세이브 데이터 / partida guardada / Spielstand / 存檔 / sauvegarde / jogo salvo /
  // сохранение / salvataggio. French puts a no-break space before ! ? ; : and inside « ».
  const TEXTS = {
    title: {
      ja: 'Zentrifa', en: 'Zentrifa', 'zh-Hans': 'Zentrifa', ko: 'Zentrifa', es: 'Zentrifa', de: 'Zentrifa',
      'zh-Hant': 'Zentrifa', fr: 'Zentrifa', 'pt-BR': 'Zentrifa', ru: 'Zentrifa', it: 'Zentrifa',
    },
    loading: {
      ja: '読み込み中…', en: 'Loading…', 'zh-Hans': '正在加载…', ko: '불러오는 중…', es: 'Cargando…',
      de: 'Wird geladen…', 'zh-Hant': '載入中…', fr: 'Chargement…', 'pt-BR': 'Carregando…', ru: 'Загрузка…',
      it: 'Caricamento…',
    },
    starting: {
      ja: '起動中…', en: 'Starting…', 'zh-Hans': '正在启动…', ko: '시작하는 중…', es: 'Iniciando…',
      de: 'Wird gestartet…', 'zh-Hant': '正在啟動…', fr: 'Démarrage…', 'pt-BR': 'Iniciando…', ru: 'Запуск…',
      it: 'Avvio…',
    },
    replaying: {
      ja: '再生中…', en: 'Replaying…', 'zh-Hans': '正在回放…', ko: '재생 중…', es: 'Reproduciendo…',
      de: 'Wird abgespielt…', 'zh-Hant': '正在重播…', fr: 'Lecture du replay…', 'pt-BR': 'Reproduzindo…',
      ru: 'Воспроизведение…', it: 'Riproduzione…',
    },
    fullscreen: {
      ja: '全画面', en: 'Fullscreen', 'zh-Hans': '全屏', ko: '전체 화면', es: 'Pantalla completa',
      de: 'Vollbild', 'zh-Hant': '全螢幕', fr: 'Plein écran', 'pt-BR': 'Tela cheia', ru: 'Во весь экран',
      it: 'Schermo intero',
    },
    export_save: {
      ja: 'セーブデータを書き出す', en: 'Export save', 'zh-Hans': '导出存档', ko: '세이브 데이터 내보내기',
      es: 'Exportar partida', de: 'Spielstand exportieren', 'zh-Hant': '匯出存檔', fr: 'Exporter la sauvegarde',
      'pt-BR': 'Exportar jogo salvo', ru: 'Экспорт сохранения', it: 'Esporta salvataggio',
    },
    import_save: {
      ja: 'セーブデータを読み込む', en: 'Import save', 'zh-Hans': '导入存档', ko: '세이브 데이터 가져오기',
      es: 'Importar partida', de: 'Spielstand importieren', 'zh-Hant': '匯入存檔', fr: 'Importer une sauvegarde',
      'pt-BR': 'Importar jogo salvo', ru: 'Импорт сохранения', it: 'Importa salvataggio',
    },
    no_save_yet: {
      ja: 'まだセーブデータがありません', en: 'There is no save yet', 'zh-Hans': '还没有存档',
      ko: '아직 세이브 데이터가 없습니다', es: 'Todavía no hay ninguna partida guardada',
      de: 'Es gibt noch keinen Spielstand', 'zh-Hant': '還沒有存檔', fr: 'Il n’y a pas encore de sauvegarde',
      'pt-BR': 'Ainda não há nenhum jogo salvo', ru: 'Сохранения пока нет', it: 'Non c’è ancora nessun salvataggio',
    },
    import_refused: {
      ja: 'このセーブデータは読み込めません：{why}', en: 'This save cannot be imported: {why}',
      'zh-Hans': '无法导入这份存档：{why}', ko: '이 세이브 데이터는 가져올 수 없습니다: {why}',
      es: 'No se puede importar esta partida: {why}', de: 'Dieser Spielstand lässt sich nicht importieren: {why}',
      'zh-Hant': '無法匯入這個存檔：{why}', fr: 'Impossible d’importer cette sauvegarde : {why}',
      'pt-BR': 'Não foi possível importar este jogo salvo: {why}', ru: 'Это сохранение нельзя импортировать: {why}',
      it: 'Impossibile importare questo salvataggio: {why}',
    },
    import_done: {
      ja: 'セーブデータを読み込みました。再開します…', en: 'Save imported. Starting again…',
      'zh-Hans': '存档已导入，正在重新开始…', ko: '세이브 데이터를 가져왔습니다. 다시 시작합니다…',
      es: 'Partida importada. Volviendo a empezar…', de: 'Spielstand importiert. Startet neu…',
      'zh-Hant': '存檔已匯入，正在重新開始…', fr: 'Sauvegarde importée. Redémarrage…',
      'pt-BR': 'Jogo salvo importado. Reiniciando…', ru: 'Сохранение импортировано. Перезапуск…',
      it: 'Salvataggio importato. Riavvio…',
    },
    other_tab: {
      ja: 'ゼントリファは別のタブかウィンドウですでに開いています。そちらで遊んでください。',
      en: 'Zentrifa is already open in another tab or window. Play on there.',
      'zh-Hans': 'Zentrifa 已经在另一个标签页或窗口中打开。请在那里继续游玩。',
      ko: 'Zentrifa가 이미 다른 탭이나 창에서 열려 있습니다. 그쪽에서 플레이해 주세요.',
      es: 'Zentrifa ya está abierto en otra pestaña o ventana. Sigue jugando allí.',
      de: 'Zentrifa ist schon in einem anderen Tab oder Fenster offen. Spiel dort weiter.',
      'zh-Hant': 'Zentrifa 已經在另一個分頁或視窗中開啟。請在那裡繼續遊玩。',
      fr: 'Zentrifa est déjà ouvert dans un autre onglet ou une autre fenêtre. Continue à jouer là-bas.',
      'pt-BR': 'O Zentrifa já está aberto em outra aba ou janela. Continue jogando por lá.',
      ru: 'Игра Zentrifa уже открыта в другой вкладке или другом окне. Продолжай играть там.',
      it: 'Zentrifa è già aperto in un’altra scheda o finestra. Continua a giocare lì.',
    },
    storage_unavailable: {
      ja: 'このブラウザにはセーブデータを残せません（プライベートモードか、保存が許可されていません）。遊べますが、進み具合は残りません。',
      en: 'This browser will not keep the save (private mode, or storage is turned off). You can play, but your progress will not be kept.',
      'zh-Hans': '此浏览器无法保存存档（隐私模式，或禁止了存储）。可以游玩，但进度不会保留。',
      ko: '이 브라우저에는 세이브 데이터를 남길 수 없습니다 (사생활 보호 모드이거나 저장이 꺼져 있습니다). 플레이는 할 수 있지만 진행 상황은 남지 않습니다.',
      es: 'Este navegador no guardará la partida (modo privado o almacenamiento desactivado). Puedes jugar, pero tu progreso no se conservará.',
      de: 'Dieser Browser behält den Spielstand nicht (privater Modus oder Speicher abgeschaltet). Du kannst spielen, aber dein Fortschritt bleibt nicht erhalten.',
      'zh-Hant': '這個瀏覽器無法保留存檔（私密瀏覽模式，或已停用儲存空間）。可以遊玩，但進度不會保留。',
      fr: 'Ce navigateur ne conservera pas la sauvegarde (navigation privée, ou stockage désactivé). Tu peux jouer, mais ta progression ne sera pas conservée.',
      'pt-BR': 'Este navegador não vai manter o jogo salvo (modo privado ou armazenamento desativado). Você pode jogar, mas seu progresso não ficará salvo.',
      ru: 'Этот браузер не будет хранить сохранение (приватный режим или хранилище отключено). Играть можно, но прогресс не сохранится.',
      it: 'Questo browser non conserverà il salvataggio (navigazione privata o archiviazione disattivata). Puoi giocare, ma i tuoi progressi non verranno conservati.',
    },
    sync_failed: {
      ja: 'ブラウザがセーブデータの保存を断りました（プライベートモードか、空き容量がありません）。',
      en: 'The browser refused to keep the save (private mode, or no space left).',
      'zh-Hans': '浏览器拒绝保存存档（隐私模式，或空间不足）。',
      ko: '브라우저가 세이브 데이터 저장을 거부했습니다 (사생활 보호 모드이거나 공간이 부족합니다).',
      es: 'El navegador se ha negado a guardar la partida (modo privado o sin espacio).',
      de: 'Der Browser hat den Spielstand nicht behalten (privater Modus oder kein Platz mehr).',
      'zh-Hant': '瀏覽器拒絕保留存檔（私密瀏覽模式，或空間不足）。',
      fr: 'Le navigateur a refusé de conserver la sauvegarde (navigation privée, ou plus d’espace libre).',
      'pt-BR': 'O navegador se recusou a manter o jogo salvo (modo privado ou sem espaço).',
      ru: 'Браузер отказался хранить сохранение (приватный режим или нет места).',
      it: 'Il browser si è rifiutato di conservare il salvataggio (navigazione privata o spazio esaurito).',
    },
    load_failed: {
      ja: 'ゲームを読み込めませんでした：{why}', en: 'The game could not be loaded: {why}',
      'zh-Hans': '无法加载游戏：{why}', ko: '게임을 불러오지 못했습니다: {why}',
      es: 'No se pudo cargar el juego: {why}', de: 'Das Spiel konnte nicht geladen werden: {why}',
      'zh-Hant': '無法載入遊戲：{why}', fr: 'Impossible de charger le jeu : {why}',
      'pt-BR': 'Não foi possível carregar o jogo: {why}', ru: 'Не удалось загрузить игру: {why}',
      it: 'Impossibile caricare il gioco: {why}',
    },
    too_old: {
      ja: 'このブラウザではゲームを動かせません。新しいブラウザで開いてください。',
      en: 'This browser cannot run the game. Open it in a newer browser.',
      'zh-Hans': '此浏览器无法运行游戏。请用较新的浏览器打开。',
      ko: '이 브라우저에서는 게임을 실행할 수 없습니다. 최신 브라우저로 열어 주세요.',
      es: 'Este navegador no puede ejecutar el juego. Ábrelo en un navegador más reciente.',
      de: 'Dieser Browser kann das Spiel nicht ausführen. Öffne es in einem neueren Browser.',
      'zh-Hant': '這個瀏覽器無法執行遊戲。請改用較新的瀏覽器開啟。',
      fr: 'Ce navigateur ne peut pas faire tourner le jeu. Ouvre-le dans un navigateur plus récent.',
      'pt-BR': 'Este navegador não consegue rodar o jogo. Abra-o em um navegador mais recente.',
      ru: 'Этот браузер не может запустить игру. Открой её в браузере поновее.',
      it: 'Questo browser non può eseguire il gioco. Aprilo in un browser più recente.',
    },
    stopped: {
      ja: 'ゲームが止まりました：{why}', en: 'The game stopped: {why}', 'zh-Hans': '游戏停止了：{why}',
      ko: '게임이 멈췄습니다: {why}', es: 'El juego se ha detenido: {why}', de: 'Das Spiel wurde beendet: {why}',
      'zh-Hant': '遊戲停止了：{why}', fr: 'Le jeu s’est arrêté : {why}', 'pt-BR': 'O jogo parou: {why}',
      ru: 'Игра остановилась: {why}', it: 'Il gioco si è fermato: {why}',
    },
    ended: {
      ja: 'ゲームを終了しました。もう一度遊ぶときはページを読み込み直してください。',
      en: 'The game has ended. Reload the page to play again.',
      'zh-Hans': '游戏已结束。要再次游玩，请重新加载页面。',
      ko: '게임이 종료되었습니다. 다시 플레이하려면 페이지를 새로 고침하세요.',
      es: 'El juego ha terminado. Recarga la página para volver a jugar.',
      de: 'Das Spiel ist beendet. Lade die Seite neu, um wieder zu spielen.',
      'zh-Hant': '遊戲已結束。若要再玩一次，請重新整理頁面。',
      fr: 'Le jeu est terminé. Recharge la page pour rejouer.',
      'pt-BR': 'O jogo terminou. Recarregue a página para jogar de novo.',
      ru: 'Игра завершена. Чтобы сыграть снова, перезагрузи страницу.',
      it: 'Il gioco è terminato. Ricarica la pagina per giocare di nuovo.',
    },
    storage_note: {
      ja: 'セーブデータはこのブラウザの中に保存されます。サイトのデータを消去すると消えてしまうので、「セーブデータを書き出す」で控えを残せます。',
      en: 'Your save lives in this browser\'s storage. Clearing this site\'s data deletes it: "Export save" keeps a copy.',
      'zh-Hans': '存档保存在此浏览器的存储中。清除本网站的数据会删除存档：用“导出存档”可以保留备份。',
      ko: '세이브 데이터는 이 브라우저의 저장소에 저장됩니다. 사이트 데이터를 지우면 함께 지워지므로 "세이브 데이터 내보내기"로 사본을 남겨 두세요.',
      es: 'Tu partida se guarda en el almacenamiento de este navegador. Borrar los datos de este sitio la elimina: «Exportar partida» guarda una copia.',
      de: 'Dein Spielstand liegt im Speicher dieses Browsers. Löschst du die Daten dieser Seite, ist er weg: »Spielstand exportieren« bewahrt eine Kopie.',
      'zh-Hant': '存檔儲存在這個瀏覽器的儲存空間中。清除本網站的資料會刪除存檔：用「匯出存檔」可以保留備份。',
      fr: 'Ta sauvegarde est conservée dans le stockage de ce navigateur. Effacer les données de ce site la supprime : « Exporter la sauvegarde » en garde une copie.',
      'pt-BR': 'Seu jogo salvo fica no armazenamento deste navegador. Apagar os dados deste site o exclui: “Exportar jogo salvo” guarda uma cópia.',
      ru: 'Сохранение хранится в памяти этого браузера. Если очистить данные сайта, оно пропадёт: «Экспорт сохранения» сбережёт копию.',
      it: 'Il tuo salvataggio si trova nella memoria di questo browser. Cancellare i dati di questo sito lo elimina: «Esporta salvataggio» ne conserva una copia.',
    },
  };

  // The language of the page's texts: the address's lang= when it names one of the game's
  // languages, else the browser's first language that the game has, else English. Chinese is
  // Traditional when its script says so, or else its region (Taiwan, Hong Kong, Macao), and
  // Simplified otherwise; any Portuguese is the game's Brazilian Portuguese.
  const TRADITIONAL_REGIONS = ['tw', 'hk', 'mo'];
  function pageLanguage(langParam, browserLanguages) {
    const choose = (tag) => {
      if (typeof tag !== 'string' || tag === '') return null;
      const lower = tag.toLowerCase().replace(/_/g, '-');
      const exact = LANGUAGES.find((l) => l.toLowerCase() === lower);
      if (exact) return exact;
      const [primary, ...subtags] = lower.split('-');
      if (primary === 'zh') {
        if (subtags.includes('hans')) return 'zh-Hans';
        if (subtags.includes('hant') || subtags.some((s) => TRADITIONAL_REGIONS.includes(s))) return 'zh-Hant';
        return 'zh-Hans';
      }
      if (primary === 'pt') return 'pt-BR';
      return LANGUAGES.find((l) => l === primary) || null;
    };
    if (langParam !== null && langParam !== undefined) return choose(langParam) || 'en';
    for (const tag of browserLanguages || []) {
      const found = choose(tag);
      if (found) return found;
    }
    return 'en';
  }

  // text('import_refused', 'de', {why: ...}): a page text with its {names} filled in.
  function text(name, lang, values) {
    const entry = TEXTS[name];
    if (!entry) throw new Error(`no page text named ${name}`);
    const template = entry[lang] !== undefined ? entry[lang] : entry.en;
    return template.replace(/\{(\w+)\}/g, (whole, key) =>
      values && Object.prototype.hasOwnProperty.call(values, key) ? String(values[key]) : whole);
  }

  // The address's options that become the program's own. A switch is written with no value
  // (?trace); the others take one. input= names a file (relative to the page) that the page fetches
  // into /in/ first; screenshot asks for the last frame in /out/shot.png.
  const SWITCHES = new Set(['trace', 'autoplay', 'headless', 'screenshot']);
  const VALUED = new Set(['seed', 'frames', 'lang', 'input']);

  // programCommandLine('?seed=1&trace&input=x.rec'): {args, input: {url, path} | null, headless}.
  // Options the program does not know are left out (a shared link may carry others); an option
  // that wants a value and has none is passed without it, and the program says what is wrong.
  function programCommandLine(search) {
    const params = new URLSearchParams(search);
    const args = [];
    let input = null;
    let headless = false;
    for (const [key, value] of params) {
      if (SWITCHES.has(key)) {
        if (key === 'screenshot') {
          args.push('--screenshot', '/out/shot.png');
        } else {
          args.push(`--${key}`);
          if (key === 'headless') headless = true;
        }
      } else if (VALUED.has(key)) {
        if (key === 'input') {
          const name = inputFileName(value);
          input = { url: value, path: `/in/${name}` };
          args.push('--input', input.path);
        } else if (value === '') {
          args.push(`--${key}`);
        } else {
          args.push(`--${key}`, value);
        }
      }
    }
    args.push('--data-dir', '/data', '--save-dir', '/save');
    return { args, input, headless };
  }

  // The name an input file gets in /in/: the last part of its address's path, without the query,
  // kept to characters any file system takes.
  function inputFileName(url) {
    const path = String(url).split(/[?#]/)[0];
    const last = path.split('/').filter((p) => p !== '').pop() || 'input';
    let name;
    try {
      name = decodeURIComponent(last);
    } catch (e) {
      name = last;
    }
    name = name.replace(/[^A-Za-z0-9._-]/g, '_');
    return name === '.' || name === '..' || name === '' ? 'input' : name;
  }

  // The scale and place of the 800 x 600 picture inside an area of width x height: as large as
  // fits, centred, the rest black bars.
  function letterbox(width, height, pictureWidth = 800, pictureHeight = 600) {
    width = Math.max(0, width);
    height = Math.max(0, height);
    // The side that fills the area is taken as it is, so that an exact fit stays exact.
    const fillsWidth = width * pictureHeight <= height * pictureWidth;
    const w = fillsWidth ? width : (height * pictureWidth) / pictureHeight;
    const h = fillsWidth ? (width * pictureHeight) / pictureWidth : height;
    return { scale: w / pictureWidth, width: w, height: h, left: (width - w) / 2, top: (height - h) / 2 };
  }

  exports.LANGUAGES = LANGUAGES;
  exports.TEXTS = TEXTS;
  exports.pageLanguage = pageLanguage;
  exports.text = text;
  exports.programCommandLine = programCommandLine;
  exports.inputFileName = inputFileName;
  exports.letterbox = letterbox;
})(typeof module === 'object' && module.exports ? module.exports : (window.ZentrifaPageCore = {}));
